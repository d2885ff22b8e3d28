// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The program's title: the main window's caption, the caption of every message box, and
// the name task bars show.
inline const QString ApplicationTitle = QStringLiteral("Vlajkor");
