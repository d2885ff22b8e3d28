// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowsystem.h"

// Qt's Windows plugin hands pixels to the system without a round trip and needs no setting.
void prepareWindowSystem()
{
}
