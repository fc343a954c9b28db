// SPDX-License-Identifier: GPL-3.0-or-later
// The help is shown by a viewer process of its own (tallowby-help, beside the program), so that
// no help file, however damaged, can crash or stall the program: a viewer that crashes, ends
// with an error or does not say it is ready within a few seconds is reported, and the hand on
// screen stays.
//
// Between the two processes, one line at a time:
//   viewer -> program   "ready <page>"    the window is up, showing <page>
//                       "showing <page>"  after each "show"
//                       "error <text>"    the file cannot be shown (the viewer then ends)
//   program -> viewer   "show <page>"     go to the page (empty: the first page) and come up
// The viewer ends when its window closes or its input ends.
#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>

class QTimer;
class QWidget;

class HelpViewerClient : public QObject
{
    Q_OBJECT

public:
    explicit HelpViewerClient(QObject *parent = nullptr);
    ~HelpViewerClient() override;

    // Brings up the viewer at the page ("potodds.html#profit"; empty: the first page),
    // starting it when none is running. Failures are reported later, to `parent`.
    void show(QWidget *parent, const QString &helpFile, const QString &page);

    // For tests: another viewer program, and how long a starting viewer may take.
    void setProgram(const QString &program) { program_ = program; }
    void setReadyTimeout(int milliseconds) { readyTimeout_ = milliseconds; }

    bool isRunning() const { return process_ && process_->state() != QProcess::NotRunning; }
    bool isReady() const { return ready_; }
    // The page the viewer last said it shows.
    QString currentPage() const { return currentPage_; }
    qint64 processId() const { return process_ ? process_->processId() : 0; }

Q_SIGNALS:
    // The viewer said it shows a page.
    void pageShown(const QString &page);
    // A failure was reported to the user.
    void failed(const QString &message);

private:
    void start(const QString &page);
    void send(const QString &page);
    void readLines();
    void finished(int exitCode, QProcess::ExitStatus status);
    void startFailed(QProcess::ProcessError error);
    void readyTimedOut();
    void report(const QString &message);
    void discardProcess();

    QString program_;
    int readyTimeout_ = 8000;
    QPointer<QWidget> parent_;
    QString helpFile_;
    QProcess *process_ = nullptr;
    QTimer *readyTimer_ = nullptr;
    bool ready_ = false;
    QString pendingPage_;
    bool pagePending_ = false;
    QString errorText_;
    QByteArray buffer_;
    QString currentPage_;
};

// The program's one way to open its help: the help file beside the program, at `page` (one of
// help/*.html, with an optional fragment; empty for the first page).
void showHelp(QWidget *parent, const QString &page = QString());

// The viewer the program uses.
HelpViewerClient &helpViewer();
