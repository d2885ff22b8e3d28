// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowsystem.h"

#include "platformchoice.h"
#include "x11transfer.h"

void prepareWindowSystem()
{
    choosePlatform();
    sendPixelsWithRequestsOnX11();
}
