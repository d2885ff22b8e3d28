// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the window system needs to be told before the application object is made, which is
// when Qt's platform plugin reads its settings. Each window system has a file of its own.
void prepareWindowSystem();
