// SPDX-License-Identifier: GPL-3.0-or-later
// The help file as built, the archive reader, the help window, and where the program finds its
// files.
#include "app/chmarchive.h"
#include "app/helpsitemap.h"
#include "app/helpwindow.h"
#include "app/paths.h"
#include "scriptedprompts.h"
#include "testfiles.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeView>
#include <QtTest>

namespace {

const QString scheme = QStringLiteral("chm");

QUrl pageUrl(const QString &page)
{
    return QUrl(QStringLiteral("chm:/")).resolved(QUrl(page));
}

// "name (local) [children]" for every entry, so that whole trees compare in one line.
QString describe(const QList<HelpTopic> &topics)
{
    QStringList parts;
    for (const HelpTopic &topic : topics) {
        QString part = topic.name + QStringLiteral(" (") + topic.local + QLatin1Char(')');
        if (!topic.children.isEmpty())
            part += QStringLiteral(" [") + describe(topic.children) + QLatin1Char(']');
        parts.append(part);
    }
    return parts.join(QStringLiteral(", "));
}

void collectLocals(const QList<HelpTopic> &topics, QStringList &locals)
{
    for (const HelpTopic &topic : topics) {
        if (!topic.local.isEmpty())
            locals.append(topic.local);
        collectLocals(topic.children, locals);
    }
}

// Whether a page defines the anchor a fragment names.
bool definesAnchor(const QByteArray &page, const QString &fragment)
{
    const QRegularExpression anchor(
        QStringLiteral("\\b(id|name)\\s*=\\s*\"%1\"").arg(QRegularExpression::escape(fragment)));
    return anchor.match(QString::fromUtf8(page)).hasMatch();
}

// The problem with one link from a page of the archive, or nothing when it leads somewhere.
QString checkLink(const ChmArchive &archive, const QString &fromPage, const QString &link)
{
    const QUrl target = pageUrl(fromPage).resolved(QUrl(link));
    if (target.scheme() != scheme)
        return QStringLiteral("%1: %2 leads out of the help file").arg(fromPage, link);
    const std::optional<QByteArray> page = archive.read(target.path());
    if (!page)
        return QStringLiteral("%1: %2 names no file of the help").arg(fromPage, link);
    if (target.hasFragment() && !definesAnchor(*page, target.fragment()))
        return QStringLiteral("%1: %2 names no anchor of %3").arg(fromPage, link, target.path());
    return {};
}

QStringList helpPages(const ChmArchive &archive)
{
    return archive.files().filter(QRegularExpression(QStringLiteral("\\.html?$")));
}

// The text and the target of every link of the page on view.
QList<QPair<QString, QTextCursor>> linksOnView(QTextBrowser *browser)
{
    QList<QPair<QString, QTextCursor>> links;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isAnchor())
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            links.append({fragment.charFormat().anchorHref(), cursor});
        }
    }
    return links;
}

void clickLink(QTextBrowser *browser, const QString &href)
{
    for (const auto &[target, cursor] : linksOnView(browser)) {
        if (target == href) {
            const QPoint middle = browser->cursorRect(cursor).center();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, middle);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no link to %1 on the page").arg(href)));
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    // The help file as the build compiled it.
    void builtHelpOpens();
    void everyLinkResolves();
    void everyPageIsInTheContents();

    // Reading archives.
    void sitemapParses_data();
    void sitemapParses();
    void defaultTopicFallsBack_data();
    void defaultTopicFallsBack();
    void badFilesAreRefused_data();
    void badFilesAreRefused();
    void unreadableFileIsRefused();

    // The help window.
    void windowShowsDefaultTopicWithItsStyle();
    void windowFollowsLinksBackAndForward();
    void contentsFollowThePage();
    void missingPageShowsNotice();
    void picturesAndLinksResolveFromSubfolders();
    void closesWithEscapeAndCtrlW_data();
    void closesWithEscapeAndCtrlW();
    void searchFindsPagesByTheirWords_data();
    void searchFindsPagesByTheirWords();
    void windowRenders();

    // Where the program finds its files.
    void pathsFollowTheProgramFolder_data();
    void pathsFollowTheProgramFolder();
    void testsRunFromTheBuildTree();
    void ensureFolderCreatesNestedFolders();
    void newSystemsFolderGetsTheStarterOnce();

private:
    // Compiles a help project made of the given files with chmcmd; empty when that fails.
    QString compileHelp(const QString &folderName, const QMap<QString, QByteArray> &files);

    QTemporaryDir scratch_;
    ScriptedPrompts prompts_;
};

void TestHelp::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(scratch_.isValid());
    QVERIFY2(QFileInfo::exists(helpFilePath()),
             qPrintable(QStringLiteral("no help file at %1").arg(helpFilePath())));
}

void TestHelp::cleanup()
{
    prompts_.clear();
}

void TestHelp::builtHelpOpens()
{
    const ChmArchive archive(helpFilePath());
    QVERIFY2(archive.isOpen(), qPrintable(archive.errorString()));
    QCOMPARE(archive.title(), QStringLiteral("Hold'em Tallowby Help"));
    QCOMPARE(archive.defaultTopic(), QStringLiteral("/index.html"));
    QCOMPARE(archive.contentsFile(), QStringLiteral("/tallowby.hhc"));
    QCOMPARE(archive.indexFile(), QStringLiteral("/tallowby.hhk"));
    QVERIFY(archive.contains(QStringLiteral("/tallowby.css")));
    QVERIFY(archive.contains(QStringLiteral("INDEX.HTML"))); // names ignore letter case

    const std::optional<QByteArray> home = archive.read(archive.defaultTopic());
    QVERIFY(home);
    QVERIFY(home->contains("<title>Hold'em Tallowby Help</title>"));
}

void TestHelp::everyLinkResolves()
{
    const ChmArchive archive(helpFilePath());
    QVERIFY(archive.isOpen());
    const QStringList pages = helpPages(archive);
    QVERIFY2(pages.size() >= 12, qPrintable(pages.join(QLatin1Char(' '))));

    static const QRegularExpression reference(
        QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    QStringList problems;
    int links = 0;
    for (const QString &page : pages) {
        const QString html = QString::fromUtf8(archive.read(page).value_or(QByteArray()));
        QVERIFY2(!html.isEmpty(), qPrintable(page));
        for (auto it = reference.globalMatch(html); it.hasNext(); ++links) {
            if (const QString problem = checkLink(archive, page, it.next().captured(1));
                !problem.isEmpty())
                problems.append(problem);
        }
    }
    for (const QString &sitemap : {archive.contentsFile(), archive.indexFile()}) {
        QStringList locals;
        collectLocals(parseSitemap(archive.read(sitemap).value_or(QByteArray())), locals);
        QVERIFY2(locals.size() >= 10, qPrintable(sitemap));
        for (const QString &local : std::as_const(locals)) {
            ++links;
            if (const QString problem = checkLink(archive, sitemap, local); !problem.isEmpty())
                problems.append(problem);
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    QVERIFY(links > 100);
}

void TestHelp::everyPageIsInTheContents()
{
    const ChmArchive archive(helpFilePath());
    QVERIFY(archive.isOpen());
    QStringList locals;
    collectLocals(parseSitemap(archive.read(archive.contentsFile()).value_or(QByteArray())),
                  locals);
    QSet<QString> listed;
    for (const QString &local : std::as_const(locals))
        listed.insert(ChmArchive::objectPathOf(local));
    for (const QString &page : helpPages(archive))
        QVERIFY2(listed.contains(page),
                 qPrintable(page + QStringLiteral(" is not in the contents")));
}

void TestHelp::sitemapParses_data()
{
    QTest::addColumn<QByteArray>("sitemap");
    QTest::addColumn<QString>("expected");

    QTest::newRow("flat list")
        << QByteArray(R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="One">)"
                      R"(<param name="Local" value="one.html"></OBJECT>)"
                      R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="Two">)"
                      R"(<param name="Local" value="two.html#b"></OBJECT></UL>)")
        << "One (one.html), Two (two.html#b)";
    QTest::newRow("nested lists")
        << QByteArray(
               R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="A"></OBJECT>)"
               R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="A1">)"
               R"(<param name="Local" value="a1.html"></OBJECT><UL>)"
               R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="A1x"></OBJECT>)"
               R"(</UL></UL><LI><OBJECT type="text/sitemap"><param name="Name" value="B">)"
               R"(</OBJECT></UL>)")
        << "A () [A1 (a1.html) [A1x ()]], B ()";
    QTest::newRow("site properties, lower case, unquoted and entities")
        << QByteArray(R"(<object type="text/site properties"><param name="Name" value="x">)"
                      R"(</object><ul><li><object type=text/sitemap>)"
                      R"(<param name='name' value='Fish &amp; chips'>)"
                      R"(<param name=local value=fish.html></object></ul>)")
        << "Fish & chips (fish.html)";
    QTest::newRow("entry without a name is dropped")
        << QByteArray(R"(<UL><LI><OBJECT type="text/sitemap"><param name="Local" value="x.html">)"
                      R"(</OBJECT></UL>)")
        << "";
    QTest::newRow("unbalanced closing lists")
        << QByteArray(
               R"(</UL></UL><UL><LI><OBJECT type="text/sitemap"><param name="Name" value="C">)"
               R"(</OBJECT></UL></UL>)")
        << "C ()";
}

void TestHelp::sitemapParses()
{
    QFETCH(QByteArray, sitemap);
    QFETCH(QString, expected);
    QCOMPARE(describe(parseSitemap(sitemap)), expected);
}

QString TestHelp::compileHelp(const QString &folderName, const QMap<QString, QByteArray> &files)
{
    const QString folder = scratch_.filePath(folderName);
    if (!QDir().mkpath(folder))
        return {};
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = QDir(folder).filePath(it.key());
        if (!QDir().mkpath(QFileInfo(path).path()) || !writeFile(path, it.value()))
            return {};
    }
    QProcess chmcmd;
    chmcmd.setWorkingDirectory(folder);
    chmcmd.start(QStringLiteral(CHMCMD_EXECUTABLE), {QStringLiteral("test.hhp")});
    if (!chmcmd.waitForFinished(60000))
        return {};
    const QString compiled = QDir(folder).filePath(QStringLiteral("test.chm"));
    return QFileInfo::exists(compiled) ? compiled : QString();
}

void TestHelp::defaultTopicFallsBack_data()
{
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QString>("expected");

    const QByteArray withContents = "Contents file=toc.hhc\n";
    QTest::newRow("named default topic") << withContents + "Default topic=two.html\n"
                                         << QStringList{"index.html", "two.html"} << "/two.html";
    QTest::newRow("no default topic, index.html present")
        << withContents << QStringList{"first.html", "index.html", "two.html"} << "/index.html";
    QTest::newRow("no default topic, no index.html")
        << withContents << QStringList{"first.html", "two.html"} << "/two.html";
    QTest::newRow("default topic missing from the archive")
        << withContents + "Default topic=gone.html\n"
        << QStringList{"first.html", "two.html"} << "/two.html";
}

void TestHelp::defaultTopicFallsBack()
{
    QFETCH(QByteArray, options);
    QFETCH(QStringList, pages);
    QFETCH(QString, expected);

    QMap<QString, QByteArray> files;
    QByteArray project =
        "[OPTIONS]\nCompiled file=test.chm\nTitle=Test\n" + options + "\n[FILES]\n";
    for (const QString &page : pages) {
        files.insert(page, "<html><head><title>" + page.toUtf8() + "</title></head><body><p>" +
                               page.toUtf8() + "</p></body></html>");
        project += page.toUtf8() + '\n';
    }
    files.insert(QStringLiteral("test.hhp"), project);
    // The contents list two.html first, whatever the order of the files.
    files.insert(QStringLiteral("toc.hhc"),
                 R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Two">)"
                 R"(<param name="Local" value="two.html"></OBJECT></UL>)");

    const QString compiled = compileHelp(QString::fromUtf8(QTest::currentDataTag()), files);
    QVERIFY2(!compiled.isEmpty(), "chmcmd did not compile the test project");
    const ChmArchive archive(compiled);
    QVERIFY2(archive.isOpen(), qPrintable(archive.errorString()));
    QCOMPARE(archive.defaultTopic(), expected);
}

void TestHelp::badFilesAreRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    const QString folder = scratch_.filePath(QStringLiteral("bad"));
    QVERIFY(QDir().mkpath(folder));
    const QString text = QDir(folder).filePath(QStringLiteral("notes.chm"));
    QVERIFY(writeFile(text, "These are not compiled help pages.\n"));
    const QString empty = QDir(folder).filePath(QStringLiteral("empty.chm"));
    QVERIFY(writeFile(empty, {}));
    // chmlib opens a cut-off file and reads its missing end as zeros.
    const QByteArray help = readFile(helpFilePath());
    QVERIFY(help.size() > 2000);
    const QString start = QDir(folder).filePath(QStringLiteral("start.chm"));
    QVERIFY(writeFile(start, help.left(1000)));
    const QString half = QDir(folder).filePath(QStringLiteral("half.chm"));
    QVERIFY(writeFile(half, help.left(help.size() / 2)));
    const QString lastByteMissing = QDir(folder).filePath(QStringLiteral("short.chm"));
    QVERIFY(writeFile(lastByteMissing, help.chopped(1)));
    const QString missing = QDir(folder).filePath(QStringLiteral("missing.chm"));

    QTest::newRow("missing file") << missing << "does not exist";
    QTest::newRow("folder") << folder << "is a folder";
    QTest::newRow("text file") << text << "is not a compiled help file";
    QTest::newRow("empty file") << empty << "is not a compiled help file";
    QTest::newRow("first 1000 bytes of the help file") << start << "is damaged";
    QTest::newRow("first half of the help file") << half << "is damaged";
    QTest::newRow("help file without its last byte") << lastByteMissing << "is damaged";
}

void TestHelp::badFilesAreRefused()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);

    const ChmArchive archive(path);
    QVERIFY(!archive.isOpen());
    QVERIFY2(archive.errorString().contains(path), qPrintable(archive.errorString()));
    QVERIFY2(archive.errorString().contains(expected), qPrintable(archive.errorString()));
    QVERIFY(!archive.read(QStringLiteral("/index.html")));
    QVERIFY(archive.files().isEmpty());
}

void TestHelp::unreadableFileIsRefused()
{
    const QString path = scratch_.filePath(QStringLiteral("locked.chm"));
    QVERIFY(QFile::copy(helpFilePath(), path));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        QSKIP("This user reads files whatever their permissions say");

    const ChmArchive archive(path);
    QVERIFY(!archive.isOpen());
    QVERIFY2(archive.errorString().contains(path), qPrintable(archive.errorString()));
    QVERIFY2(archive.errorString().contains(QStringLiteral("cannot be read")),
             qPrintable(archive.errorString()));
}

void TestHelp::windowShowsDefaultTopicWithItsStyle()
{
    HelpWindow window{ChmArchive(helpFilePath())};
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallowby Help"));
    QCOMPARE(window.currentPage(), QStringLiteral("/index.html"));
    auto *browser = window.findChild<QTextBrowser *>();
    QVERIFY(browser);
    QCOMPARE(browser->documentTitle(), QStringLiteral("Hold'em Tallowby Help"));

    // Every page is headed by its title, coloured by the style sheet inside the archive.
    for (const QString &page : helpPages(ChmArchive(helpFilePath()))) {
        window.showPage(page);
        QCOMPARE(window.currentPage(), page);
        const QTextBlock heading = browser->document()->begin();
        QVERIFY2(!browser->documentTitle().isEmpty(), qPrintable(page));
        QCOMPARE(heading.text(), browser->documentTitle());
        QCOMPARE(heading.charFormat().foreground().color(), QColor(0x00, 0x60, 0x3a));
    }
}

void TestHelp::windowFollowsLinksBackAndForward()
{
    HelpWindow window{ChmArchive(helpFilePath())};
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *browser = window.findChild<QTextBrowser *>();
    QAction *back = nullptr;
    QAction *forward = nullptr;
    for (QAction *action : window.findChildren<QAction *>()) {
        if (action->text() == QStringLiteral("&Back"))
            back = action;
        else if (action->text() == QStringLiteral("&Forward"))
            forward = action;
    }
    QVERIFY(back && forward);
    QVERIFY(!back->isEnabled());

    clickLink(browser, QStringLiteral("entering.html"));
    QCOMPARE(window.currentPage(), QStringLiteral("/entering.html"));
    QCOMPARE(browser->documentTitle(), QStringLiteral("Entering a hand"));
    QVERIFY(back->isEnabled());

    // A link with a fragment into another page.
    clickLink(browser, QStringLiteral("historyviews.html#hand-history"));
    QCOMPARE(window.currentPage(), QStringLiteral("/historyviews.html#hand-history"));
    QVERIFY(browser->verticalScrollBar()->value() > 0);

    back->trigger();
    QCOMPARE(window.currentPage(), QStringLiteral("/entering.html"));
    back->trigger();
    QCOMPARE(window.currentPage(), QStringLiteral("/index.html"));
    QVERIFY(!back->isEnabled());
    QVERIFY(forward->isEnabled());
    forward->trigger();
    QCOMPARE(window.currentPage(), QStringLiteral("/entering.html"));
}

void TestHelp::contentsFollowThePage()
{
    HelpWindow window{ChmArchive(helpFilePath())};
    auto *contents = window.findChild<QTreeView *>();
    QVERIFY(contents);
    const QModelIndexList statistics = contents->model()->match(
        contents->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("Game Statistics"), 1,
        Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(statistics.size(), 1);

    contents->setCurrentIndex(statistics.first());
    QCOMPARE(window.currentPage(), QStringLiteral("/statistics.html"));

    window.showPage(QStringLiteral("potodds.html"));
    QCOMPARE(contents->currentIndex().data().toString(), QStringLiteral("Pot Odds Calculator"));
    QCOMPARE(window.currentPage(), QStringLiteral("/potodds.html"));
}

void TestHelp::missingPageShowsNotice()
{
    HelpWindow window{ChmArchive(helpFilePath())};
    window.showPage(QStringLiteral("nosuch.html"));
    const QString text = window.findChild<QTextBrowser *>()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("Page not found")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("/nosuch.html")));
}

void TestHelp::picturesAndLinksResolveFromSubfolders()
{
    QImage dot(4, 4, QImage::Format_RGB32);
    dot.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && dot.save(&buffer, "PNG"));

    const QString compiled = compileHelp(
        QStringLiteral("subfolders"),
        {{QStringLiteral("test.hhp"),
          "[OPTIONS]\nCompiled file=test.chm\nDefault topic=index.html\n"
          "\n[FILES]\nindex.html\nsub/page.html\nsub/look.css\nsub/pics/dot.png\n"},
         {QStringLiteral("index.html"),
          "<html><body><p><a href=\"sub/page.html\">deeper</a></p></body></html>"},
         {QStringLiteral("sub/page.html"),
          "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"look.css\"></head>"
          "<body><p>Deeper page</p><p><img src=\"pics/dot.png\">"
          "<a href=\"../index.html\">up</a></p></body></html>"},
         {QStringLiteral("sub/look.css"), "p { color: #123456; }"},
         {QStringLiteral("sub/pics/dot.png"), png}});
    QVERIFY2(!compiled.isEmpty(), "chmcmd did not compile the test project");

    HelpWindow window{ChmArchive(compiled)};
    auto *browser = window.findChild<QTextBrowser *>();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    clickLink(browser, QStringLiteral("sub/page.html"));
    QCOMPARE(window.currentPage(), QStringLiteral("/sub/page.html"));
    // The style sheet is found beside the page while the page loads.
    const QTextBlock text = browser->document()->begin();
    QCOMPARE(text.charFormat().foreground().color(), QColor(0x12, 0x34, 0x56));

    const QVariant picture =
        browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pics/dot.png")));
    QCOMPARE(QImage::fromData(picture.toByteArray()).pixelColor(1, 1), QColor(Qt::red));

    clickLink(browser, QStringLiteral("../index.html"));
    QCOMPARE(window.currentPage(), QStringLiteral("/index.html"));
}

void TestHelp::closesWithEscapeAndCtrlW_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("focus"); // the accessible name of the control with the focus
    QTest::newRow("Esc in the page") << QKeySequence(Qt::Key_Escape) << "Help page";
    QTest::newRow("Ctrl+W in the page") << QKeySequence(Qt::CTRL | Qt::Key_W) << "Help page";
    QTest::newRow("Esc in the contents") << QKeySequence(Qt::Key_Escape) << "Help contents";
    QTest::newRow("Ctrl+W in the search field")
        << QKeySequence(Qt::CTRL | Qt::Key_W) << "Words to search for";
}

void TestHelp::closesWithEscapeAndCtrlW()
{
    QFETCH(QKeySequence, key);
    QFETCH(QString, focus);
    HelpWindow window{ChmArchive(helpFilePath())};
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *target = nullptr;
    for (QWidget *child : window.findChildren<QWidget *>()) {
        if (child->accessibleName() == focus)
            target = child;
    }
    QVERIFY2(target, qPrintable(focus));
    target->setFocus();
    QTest::keySequence(target, key);
    QTRY_VERIFY(!window.isVisible());
}

void TestHelp::searchFindsPagesByTheirWords_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("first"); // the page listed first; empty: none found
    QTest::newRow("pot odds") << "pot odds"
                              << "/potodds.html";
    QTest::newRow("POT ODDS in capitals") << "POT ODDS"
                                          << "/potodds.html";
    QTest::newRow("word begun: printe") << "printe"
                                        << "/printing.html";
    QTest::newRow("nonsense word") << "xyzzyplugh" << QString();
    QTest::newRow("blank query") << "   " << QString();
    QTest::newRow("one known and one unknown word") << "odds xyzzyplugh" << QString();
}

void TestHelp::searchFindsPagesByTheirWords()
{
    QFETCH(QString, query);
    QFETCH(QString, first);
    HelpWindow window{ChmArchive(helpFilePath())};
    window.search(query);
    auto *hits = window.findChild<QListWidget *>();
    QVERIFY(hits);
    QVERIFY(hits->count() >= 1);
    const QUrl target = hits->item(0)->data(Qt::UserRole + 1).toUrl();
    QCOMPARE(target.path(), first);
    if (first.isEmpty())
        return;
    // Choosing the hit opens the page with the word marked.
    Q_EMIT hits->itemActivated(hits->item(0));
    QCOMPARE(window.currentPage(), first);
    auto *browser = window.findChild<QTextBrowser *>();
    QVERIFY(browser->textCursor().hasSelection());
    QVERIFY2(browser->textCursor().selectedText().startsWith(
                 HelpSearchIndex::wordsOf(query).first(), Qt::CaseInsensitive),
             qPrintable(browser->textCursor().selectedText()));
    if (const QString folder = qEnvironmentVariable("TALLOWBY_SHOTS"); !folder.isEmpty()) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QString name = QStringLiteral("helpsearch-%1.png").arg(QTest::currentDataTag());
        QVERIFY(window.grab().save(QDir(folder).filePath(name.replace(u' ', u'-'))));
    }
}

void TestHelp::windowRenders()
{
    HelpWindow window{ChmArchive(helpFilePath())};
    window.showPage(QStringLiteral("handodds.html#colours"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    QVERIFY(!shot.isNull());
    // The page's colour table shows the light green of a made hand.
    bool green = false;
    for (int y = 0; y < shot.height() && !green; ++y) {
        for (int x = shot.width() / 3; x < shot.width() && !green; ++x)
            green = shot.pixelColor(x, y) == QColor(0x80, 0xff, 0x80);
    }
    QVERIFY(green);
    if (const QString folder = qEnvironmentVariable("TALLOWBY_SHOTS"); !folder.isEmpty())
        QVERIFY(shot.save(QDir(folder).filePath(QStringLiteral("helpwindow.png"))));
}

void TestHelp::pathsFollowTheProgramFolder_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("buildTree");
    QTest::addColumn<QString>("help");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("systems");
    QTest::addColumn<QString>("starter");

    const QString build = scratch_.filePath(QStringLiteral("build"));
    QVERIFY(QDir().mkpath(build));
    QVERIFY(writeFile(QDir(build).filePath(QStringLiteral("CMakeCache.txt")), "# cache\n"));
    const QString prefix = scratch_.filePath(QStringLiteral("prefix"));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/tallowby/");

    QTest::newRow("build tree") << build << true << build + "/tallowbyhelp.chm" << build + "/Data/"
                                << build + "/Systems/" << build + "/Starter.mdb";
    QTest::newRow("build tree, folder ending in a separator")
        << build + "/" << true << build + "/tallowbyhelp.chm" << build + "/Data/"
        << build + "/Systems/" << build + "/Starter.mdb";
    QTest::newRow("installed in prefix/bin")
        << prefix + "/bin" << false << prefix + "/share/tallowby/tallowbyhelp.chm" << user + "Data/"
        << user + "Systems/" << prefix + "/share/tallowby/Starter.mdb";
}

void TestHelp::pathsFollowTheProgramFolder()
{
    QFETCH(QString, programFolder);
    QFETCH(bool, buildTree);
    QFETCH(QString, help);
    QFETCH(QString, data);
    QFETCH(QString, systems);
    QFETCH(QString, starter);

    QCOMPARE(runsFromBuildTree(programFolder), buildTree);
    QCOMPARE(helpFilePath(programFolder), help);
    QCOMPARE(dataFolder(programFolder), data);
    QCOMPARE(systemsFolder(programFolder), systems);
    QCOMPARE(starterSystemPath(programFolder), starter);
    // Finding the folders never creates them.
    QVERIFY(!QFileInfo::exists(data));
    QVERIFY(!QFileInfo::exists(systems));
}

void TestHelp::testsRunFromTheBuildTree()
{
    const QString folder = QCoreApplication::applicationDirPath();
    QVERIFY(runsFromBuildTree());
    QCOMPARE(helpFilePath(), QDir(folder).filePath(QStringLiteral("tallowbyhelp.chm")));
    QCOMPARE(dataFolder(), folder + QStringLiteral("/Data/"));
    QCOMPARE(systemsFolder(), folder + QStringLiteral("/Systems/"));
}

void TestHelp::ensureFolderCreatesNestedFolders()
{
    const QString folder = scratch_.filePath(QStringLiteral("user/tallowby/Systems/"));
    QVERIFY(!QFileInfo::exists(folder));
    QVERIFY(ensureFolder(folder));
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(ensureFolder(folder)); // already there

    const QString blocked = scratch_.filePath(QStringLiteral("plainfile"));
    QVERIFY(writeFile(blocked, "x"));
    QVERIFY(!ensureFolder(blocked + QStringLiteral("/Data/")));
}

void TestHelp::newSystemsFolderGetsTheStarterOnce()
{
    // Installed read-only, as a package leaves it.
    const QString starter = scratch_.filePath(QStringLiteral("share/Starter.mdb"));
    QVERIFY(QDir().mkpath(QFileInfo(starter).path()));
    QVERIFY(writeFile(starter, "starter"));
    QVERIFY(QFile::setPermissions(starter, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    const QString folder = scratch_.filePath(QStringLiteral("first/tallowby/Systems/"));
    const QString copy = folder + QStringLiteral("Starter.mdb");

    QVERIFY(ensureSystemsFolder(folder, starter));
    QVERIFY(QFileInfo(copy).isFile());
    QVERIFY(QFileInfo(copy).isWritable());
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("starter"));
    file.close();

    // The user deleted the copy: an existing folder gets none again.
    QVERIFY(QFile::remove(copy));
    QVERIFY(ensureSystemsFolder(folder, starter));
    QVERIFY(!QFileInfo::exists(copy));

    // Without a starter the folder is still made.
    const QString bare = scratch_.filePath(QStringLiteral("bare/Systems/"));
    QVERIFY(ensureSystemsFolder(bare, scratch_.filePath(QStringLiteral("none/Starter.mdb"))));
    QVERIFY(QFileInfo(bare).isDir());
    QCOMPARE(QDir(bare).entryList(QDir::Files), QStringList());

    const QString blocked = scratch_.filePath(QStringLiteral("plainfile2"));
    QVERIFY(writeFile(blocked, "x"));
    QVERIFY(!ensureSystemsFolder(blocked + QStringLiteral("/Systems/"), starter));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
