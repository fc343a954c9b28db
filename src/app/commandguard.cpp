// SPDX-License-Identifier: GPL-3.0-or-later
// The general error report.
#include "commandguard.h"

#include "prompts.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QSet>
#include <QString>
#include <exception>

namespace {

// The message of a failed command; empty when it succeeded.
QString failureOf(const std::function<void()> &command)
{
    try {
        command();
        return {};
    } catch (const std::exception &failure) {
        return QString::fromUtf8(failure.what());
    } catch (...) {
        return QCoreApplication::translate("runCommand", "An unexpected error occurred.");
    }
}

} // namespace

bool runCommand(QWidget *parent, const std::function<void()> &command)
{
    const QString failure = failureOf(command);
    if (failure.isEmpty())
        return true;
    prompts().error(parent, failure);
    return false;
}

bool runCardCommand(QWidget *parent, const char *file, const std::function<void()> &command)
{
    static QSet<QByteArray> failing;
    const QString failure = failureOf(command);
    if (failure.isEmpty()) {
        failing.remove(file);
        return true;
    }
    if (!failing.contains(file)) {
        failing.insert(file);
        prompts().error(parent, failure);
    }
    return false;
}
