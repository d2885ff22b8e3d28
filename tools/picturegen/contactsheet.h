// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// All pictures enlarged side by side with their names, for checking each
// signal by eye. Needs a QGuiApplication for the lettering.
namespace contactsheet {

QImage draw();

} // namespace contactsheet
