// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

// The text the error box shows for a failure message: a "." is added when the
// last character sorts after "." (a letter, a digit, "?"), so messages read as
// sentences without doubling the stop of one that already has it.
QString errorBoxText(const QString &message);

// Shows the modal error box: the given caption, the error icon, one OK button.
void showErrorBox(const QString &caption, const QString &message);
