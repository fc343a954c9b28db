// SPDX-License-Identifier: GPL-3.0-or-later
// tallowby-help: the help viewer process. Opens the help file in the help window and talks to
// the program over its standard input and output (the protocol is in helpviewer.h).
//   tallowby-help [--page PAGE] [--transient-for WINDOW-ID] HELP-FILE
#include "app/accessibleroles.h"
#include "app/chmarchive.h"
#include "app/desktopidentity.h"
#include "app/helpwindow.h"
#include "app/platform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>
#include <QWindow>

#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

// Comes up above the program's windows, which keep themselves on top.
void bringUp(HelpWindow &window)
{
    window.showNormal();
    window.raise();
    window.activateWindow();
}

// The program's lines on standard input; its end ends the viewer.
class CommandReader : public QObject
{
public:
    explicit CommandReader(HelpWindow &window) : window_(window)
    {
        auto *notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
            char chunk[4096];
            const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (got <= 0) {
                notifier->setEnabled(false);
                QCoreApplication::quit();
                return;
            }
            buffer_.append(chunk, got);
            for (qsizetype end = buffer_.indexOf('\n'); end >= 0; end = buffer_.indexOf('\n')) {
                const QString line = QString::fromUtf8(buffer_.left(end));
                buffer_.remove(0, end + 1);
                if (line.startsWith(QLatin1String("show"))) {
                    const QString page = line.mid(5).trimmed();
                    if (page.isEmpty())
                        window_.goHome();
                    else
                        window_.showPage(page);
                    bringUp(window_);
                    say(QStringLiteral("showing ") + window_.currentPage());
                }
            }
        });
    }

private:
    HelpWindow &window_;
    QByteArray buffer_;
};

} // namespace

int main(int argc, char *argv[])
{
    preferStayOnTopPlatform();
    QApplication application(argc, argv);
    applyDesktopIdentity();
    installAccessibleRoles();
    QCommandLineParser parser;
    parser.setApplicationDescription(QApplication::translate("main", "Hold'em Tallowby help"));
    const QCommandLineOption page(QStringLiteral("page"),
                                  QApplication::translate("main", "The page to open."),
                                  QStringLiteral("page"));
    const QCommandLineOption transientFor(
        QStringLiteral("transient-for"),
        QApplication::translate("main", "The window to stay above."), QStringLiteral("id"));
    parser.addOptions({page, transientFor});
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("help-file"),
                                 QApplication::translate("main", "The compiled help file."));
    parser.process(application);
    if (parser.positionalArguments().size() != 1) {
        say(QStringLiteral("error ") +
            QApplication::translate("main", "The help viewer was started without a help file."));
        return 2;
    }

    ChmArchive archive(parser.positionalArguments().constFirst());
    if (!archive.isOpen()) {
        say(QStringLiteral("error ") + archive.errorString());
        return 2;
    }
    HelpWindow window(std::move(archive));
    window.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (parser.isSet(page))
        window.showPage(parser.value(page));
    window.winId();
    if (parser.isSet(transientFor)) {
        bool ok = false;
        const WId id = WId(parser.value(transientFor).toULongLong(&ok));
        if (QWindow *owner = ok ? QWindow::fromWinId(id) : nullptr)
            window.windowHandle()->setTransientParent(owner);
    }
    // Closing the window ends the viewer.
    bringUp(window);
    CommandReader reader(window);
    say(QStringLiteral("ready ") + window.currentPage());
    return QApplication::exec();
}
