// SPDX-License-Identifier: GPL-3.0-or-later
// The general error report.
#include "commandguard.h"

#include "prompts.h"

#include <QCoreApplication>
#include <QString>
#include <exception>

bool runCommand(QWidget *parent, const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const std::exception &failure) {
        prompts().error(parent, QString::fromUtf8(failure.what()));
    } catch (...) {
        prompts().error(parent,
                        QCoreApplication::translate("runCommand", "An unexpected error occurred."));
    }
    return false;
}
