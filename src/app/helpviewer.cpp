// SPDX-License-Identifier: GPL-3.0-or-later
// Starts and talks to the help viewer process.
#include "app/helpviewer.h"

#include "app/paths.h"
#include "app/prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace {

QString viewerProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tallowby-help"));
}

QString damaged(const QString &helpFile, const QString &why)
{
    return HelpViewerClient::tr("The help file %1 is damaged: %2").arg(helpFile, why);
}

} // namespace

HelpViewerClient::HelpViewerClient(QObject *parent) : QObject(parent), program_(viewerProgram())
{
    readyTimer_ = new QTimer(this);
    readyTimer_->setSingleShot(true);
    connect(readyTimer_, &QTimer::timeout, this, &HelpViewerClient::readyTimedOut);
}

HelpViewerClient::~HelpViewerClient()
{
    discardProcess();
}

void HelpViewerClient::show(QWidget *parent, const QString &helpFile, const QString &page)
{
    parent_ = parent;
    if (isRunning() && helpFile == helpFile_) {
        if (ready_) {
            send(page);
        } else {
            pendingPage_ = page;
            pagePending_ = true;
        }
        return;
    }
    discardProcess();
    helpFile_ = helpFile;
    start(page);
}

void HelpViewerClient::start(const QString &page)
{
    ready_ = false;
    pagePending_ = false;
    errorText_.clear();
    buffer_.clear();
    currentPage_.clear();
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments;
    if (!page.isEmpty())
        arguments << QStringLiteral("--page") << page;
    // On X11 the viewer stacks above the program's windows kept on top by being transient for
    // the main window (not for a dialog, which closes before the viewer does).
    if (parent_ && QGuiApplication::platformName() == QLatin1String("xcb")) {
        QWidget *owner = parent_->window();
        while (owner->parentWidget())
            owner = owner->parentWidget()->window();
        arguments << QStringLiteral("--transient-for") << QString::number(quintptr(owner->winId()));
    }
    arguments << helpFile_;
    connect(process_, &QProcess::readyReadStandardOutput, this, &HelpViewerClient::readLines);
    connect(process_, &QProcess::finished, this, &HelpViewerClient::finished);
    connect(process_, &QProcess::errorOccurred, this, &HelpViewerClient::startFailed);
    readyTimer_->start(readyTimeout_);
    process_->start(program_, arguments);
}

void HelpViewerClient::send(const QString &page)
{
    process_->write("show " + page.toUtf8() + '\n');
}

void HelpViewerClient::readLines()
{
    buffer_ += process_->readAllStandardOutput();
    for (qsizetype end = buffer_.indexOf('\n'); end >= 0; end = buffer_.indexOf('\n')) {
        const QString line = QString::fromUtf8(buffer_.left(end));
        buffer_.remove(0, end + 1);
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString word = line.left(space < 0 ? line.size() : space);
        const QString rest = space < 0 ? QString() : line.mid(space + 1);
        if (word == QLatin1String("ready") || word == QLatin1String("showing")) {
            if (word == QLatin1String("ready")) {
                ready_ = true;
                readyTimer_->stop();
            }
            currentPage_ = rest;
            Q_EMIT pageShown(rest);
            if (ready_ && pagePending_) {
                pagePending_ = false;
                send(pendingPage_);
            }
        } else if (word == QLatin1String("error")) {
            errorText_ = rest;
        }
    }
}

void HelpViewerClient::finished(int exitCode, QProcess::ExitStatus status)
{
    readyTimer_->stop();
    const bool wasReady = ready_;
    const QString errorText = errorText_;
    discardProcess();
    if (!errorText.isEmpty()) {
        report(errorText);
    } else if (status == QProcess::CrashExit) {
        report(damaged(helpFile_, wasReady ? tr("the help viewer stopped while it was open.")
                                           : tr("the help viewer stopped while reading it.")));
    } else if (exitCode != 0) {
        report(damaged(helpFile_, tr("the help viewer ended with code %1.").arg(exitCode)));
    }
}

void HelpViewerClient::startFailed(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return; // a crash is reported once the process has finished
    readyTimer_->stop();
    const QString reason = process_ ? process_->errorString() : QString();
    discardProcess();
    report(tr("The help viewer %1 could not be started: %2").arg(program_, reason));
}

void HelpViewerClient::readyTimedOut()
{
    if (!isRunning() || ready_)
        return;
    discardProcess();
    report(damaged(helpFile_, tr("the help viewer did not get it ready in time.")));
}

void HelpViewerClient::report(const QString &message)
{
    prompts().error(parent_, message);
    Q_EMIT failed(message);
}

// Lets go of the process without hearing from it again; one still running is ended.
void HelpViewerClient::discardProcess()
{
    if (!process_)
        return;
    QProcess *process = process_;
    process_ = nullptr;
    ready_ = false;
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(2000);
    }
    process->deleteLater();
}

HelpViewerClient &helpViewer()
{
    static HelpViewerClient *client = new HelpViewerClient(QCoreApplication::instance());
    return *client;
}

void showHelp(QWidget *parent, const QString &page)
{
    helpViewer().show(parent, helpFilePath(), page);
}
