// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modalfocus.h"

// Windows itself keeps a window that a modal one blocks from being activated.
void returnFocusToModalOnClicks()
{
}
