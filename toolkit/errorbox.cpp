// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/errorbox.h"

#include <QMessageBox>

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void showErrorBox(const QString &caption, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, caption, errorBoxText(message), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorBox"));
    // Owned by the application as a whole: every other window waits for it.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
