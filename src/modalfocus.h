// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Gives the keyboard back to the open modal window when the window it blocks is clicked,
// where the window manager does not see to that itself: KWin on X11 activates the clicked
// window and refuses the request to be active again that Qt then sends for the modal one,
// and KWin and mutter on Wayland are not told which window is modal. Installed once for
// the whole application. Each window system has a file of its own.
void returnFocusToModalOnClicks();
