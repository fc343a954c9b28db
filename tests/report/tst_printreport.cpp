// SPDX-License-Identifier: GPL-3.0-or-later
// The banded-report engine and the history report's design, rendered into PDF files and read
// back with pdftotext: the title and date line, the headings on the first page only, the rows
// of a view in its order and filter over several pages, the ruled layout in millimetres.
#include "db/dbdates.h"
#include "history/reporthistory.h"
#include "historyfiles.h"
#include "pdfreport.h"
#include "report/reportpagination.h"
#include "report/reportrenderer.h"
#include "report/reportsource.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace pdfreport;

namespace {

const QDate kPrintDate(2024, 3, 7);
const QString kHeadings = QStringLiteral("Date H1 H2 F1 F2 F3 Tn Rr Hand Result");

// Game i of a long history: one a day from New Year 2024, cards and results varying.
Game numberedGame(int i)
{
    const QString ranks = QStringLiteral("AKQJT98765432");
    const QString suits = QStringLiteral("sdch");
    const QString results[] = {QStringLiteral("Win"), QStringLiteral("Lose"),
                               QStringLiteral("Split"), QStringLiteral("Fold")};
    Game game;
    game.date = QDate(2024, 1, 1).addDays(i);
    game.h1 = QString(ranks[i % 13]) + suits[i % 4];
    game.h2 = QString(ranks[(i / 13) % 13]) + suits[(i + 1) % 4];
    game.board = {QStringLiteral("2c"), QStringLiteral("7d"), QStringLiteral("9h"),
                  QStringLiteral("--"), QStringLiteral("--")};
    game.hand = QStringLiteral("Two Kind. %1%1, A, K, Q").arg(ranks[i % 13]);
    game.result = results[i % 4];
    return game;
}

QList<Game> numberedGames(int count)
{
    QList<Game> games;
    for (int i = 0; i < count; ++i)
        games.append(numberedGame(i));
    return games;
}

// The first word of every row line: the dates of the printed rows, page after page.
QStringList printedDates(const QStringList &pages)
{
    static const QRegularExpression dateAtStart(QStringLiteral(R"(^(\d{2}/\d{2}/\d{4}) )"));
    QStringList dates;
    for (const QString &page : pages) {
        for (const QString &line : textLines(page)) {
            const QRegularExpressionMatch match = dateAtStart.match(line);
            if (match.hasMatch() && !line.startsWith(QLatin1String("Game History")))
                dates.append(match.captured(1));
        }
    }
    return dates;
}

QStringList tableDates(DbTable &table)
{
    QStringList dates;
    for (table.first(); !table.isEmpty() && !table.atEnd(); table.next())
        dates.append(shortDateText(table.date(QStringLiteral("DateP"))));
    return dates;
}

} // namespace

class TestPrintReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void rowsPerPage_data();
    void rowsPerPage();
    void aBandTallerThanAPageGetsAPageOfItsOwn();

    void titleAndDateLine_data();
    void titleAndDateLine();
    void twoHundredRowsInTheGridsOrder();
    void aFilteredViewPrintsOnlyItsRows();
    void anEmptyViewPrintsTitleAndHeadings();
    void aDateThatIsNoDatePrintsAsWritten();
    void columnsStandWhereTheDesignPutsThem();
    void rulesAndBoxesAreDrawn();
    void stoppingFromTheProgressEndsTheWalk();
    void aRefusedNewPageIsReported();

private:
    // Renders the report of the table into a PDF file and returns its path.
    QString renderToPdf(DbTable &table, const QString &title, const QString &name);
    void openHistory(const QList<Game> &games);

    std::optional<QTemporaryDir> m_dir;
    std::optional<DbConnection> m_connection;
    std::optional<DbTable> m_table;
};

void TestPrintReport::init()
{
    // Dates print in the user's short date format: day, month, year here.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
}

void TestPrintReport::cleanup()
{
    m_table.reset();
    m_connection.reset();
    m_dir.reset();
    QLocale::setDefault(QLocale::c());
}

void TestPrintReport::openHistory(const QList<Game> &games)
{
    const QString file = m_dir->filePath(QStringLiteral("history.mdb"));
    createHistoryFile(file, games);
    m_connection.emplace();
    m_connection->setConnectionString(DbConnection::connectionStringFor(file));
    m_table.emplace(*m_connection, QStringLiteral("History"));
    m_table->open();
    m_table->setSort(QStringLiteral("DateP DESC"));
}

QString TestPrintReport::renderToPdf(DbTable &table, const QString &title, const QString &name)
{
    ReportDefinition report = historyReport();
    report.element(QString::fromLatin1(kHistoryTitleLabel))->text = title;
    const QString pdf = m_dir->filePath(name + QStringLiteral(".pdf"));
    QPdfWriter writer(pdf);
    [&] {
        QVERIFY(applyPageSetup(writer, report.page));
    }();
    QPainter painter;
    if (!painter.begin(&writer))
        qFatal("cannot paint into %s", qPrintable(pdf));
    DbTableReportSource source(table);
    renderReport(report, source, painter, writer, kPrintDate);
    painter.end();
    savePagePictures(pdf, name);
    return pdf;
}

void TestPrintReport::rowsPerPage_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("pages");
    // 259.4 mm of paper: 6.6 + 5.3 for title and headings leave room for 46 rows on the
    // first page, and 48 rows fit on every later one.
    QTest::newRow("no rows") << 0 << QList<int>{0};
    QTest::newRow("one row") << 1 << QList<int>{1};
    QTest::newRow("46 rows, a full first page") << 46 << QList<int>{46};
    QTest::newRow("47 rows") << 47 << QList<int>{46, 1};
    QTest::newRow("94 rows, two full pages") << 94 << QList<int>{46, 48};
    QTest::newRow("95 rows") << 95 << QList<int>{46, 48, 1};
    QTest::newRow("200 rows") << 200 << QList<int>{46, 48, 48, 48, 10};
}

void TestPrintReport::rowsPerPage()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, pages);
    QCOMPARE(::rowsPerPage(historyReport(), rows), pages);
}

void TestPrintReport::aBandTallerThanAPageGetsAPageOfItsOwn()
{
    ReportPaginator paginator(10);
    QCOMPARE(paginator.place(4).page, 0);
    const BandPlacement tall = paginator.place(25);
    QCOMPARE(tall.page, 1);
    QCOMPARE(tall.topMm, 0.0);
    QCOMPARE(paginator.place(1).page, 2);
    QCOMPARE(paginator.pageCount(), 3);
}

void TestPrintReport::titleAndDateLine_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("date");
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("Game History, en_GB")
        << QStringLiteral("Game History") << british << QStringLiteral("07/03/2024");
    QTest::newRow("Hand History, en_GB")
        << QStringLiteral("Hand History") << british << QStringLiteral("07/03/2024");
    QTest::newRow("Game History, en_US")
        << QStringLiteral("Game History") << american << QStringLiteral("3/7/2024");
    QTest::newRow("Hand History, de_DE")
        << QStringLiteral("Hand History") << german << QStringLiteral("07.03.2024");
}

void TestPrintReport::titleAndDateLine()
{
    QFETCH(QString, title);
    QFETCH(QLocale, locale);
    QFETCH(QString, date);
    QLocale::setDefault(locale);
    openHistory(numberedGames(3));
    const QStringList pages = pdfPages(renderToPdf(*m_table, title, QStringLiteral("title")));
    QCOMPARE(pages.size(), 1);
    const QStringList lines = textLines(pages.first());
    QCOMPARE(lines.value(0), title + QStringLiteral(" Date: ") + date);
    QCOMPARE(lines.value(1), kHeadings);
    QCOMPARE(lines.size(), 2 + 3);

    // The title at the left, the date at the right, both on the title's line.
    const QList<PdfWord> words = pdfWords(m_dir->filePath(QStringLiteral("title.pdf")));
    const auto wordAt = [&words](const QString &text) {
        for (const PdfWord &word : words) {
            if (word.text == text)
                return word;
        }
        return PdfWord{};
    };
    QVERIFY(qAbs(wordAt(title.section(QLatin1Char(' '), 0, 0)).xMinMm - 16) < 1);
    QVERIFY(qAbs(wordAt(date).xMaxMm - (215.9 - 25 - 1)) < 1);
    // Each row's date in the same format.
    QVERIFY(lines.value(2).startsWith(shortDateText(numberedGame(2).date)));
}

void TestPrintReport::twoHundredRowsInTheGridsOrder()
{
    openHistory(numberedGames(200));
    const QStringList expected = tableDates(*m_table);
    const QStringList pages =
        pdfPages(renderToPdf(*m_table, QStringLiteral("Game History"), QStringLiteral("200-rows")));

    QCOMPARE(pages.size(), 5);
    QCOMPARE(printedDates(pages), expected);
    QCOMPARE(expected.first(), QStringLiteral("18/07/2024")); // newest first
    // Title and headings once, at the top of page 1; later pages begin with rows.
    QCOMPARE(pages.join(QString()).count(kHeadings.section(QLatin1Char(' '), 6)), 0);
    int headingLines = 0;
    for (int page = 0; page < pages.size(); ++page) {
        const QStringList lines = textLines(pages.at(page));
        headingLines += int(lines.count(kHeadings));
        if (page == 0) {
            QVERIFY(lines.value(0).startsWith(QLatin1String("Game History")));
            QCOMPARE(lines.value(1), kHeadings);
            QCOMPARE(lines.size(), 2 + 46);
        } else {
            QVERIFY(!pages.at(page).contains(QLatin1String("Game History")));
            QVERIFY(!pages.at(page).contains(QLatin1String("Result")));
            QCOMPARE(lines.size(), page < 4 ? 48 : 10);
        }
    }
    QCOMPARE(headingLines, 1);

    // A whole row reads as the grid shows it.
    const QString first = textLines(pages.first()).value(2);
    QCOMPARE(first, QStringLiteral("18/07/2024 Th Qs 2c 7d 9h -- -- Two Kind. TT, A, K, Q Fold"));
}

void TestPrintReport::aFilteredViewPrintsOnlyItsRows()
{
    openHistory(numberedGames(120));
    m_table->setFilter(QStringLiteral("DateP >= 01/02/2024 AND DateP <= 29/02/2024"));
    m_table->setFiltered(true);
    m_table->setSort(QStringLiteral("Result"));
    const QStringList expected = tableDates(*m_table);
    QCOMPARE(expected.size(), 29);

    const QStringList pages =
        pdfPages(renderToPdf(*m_table, QStringLiteral("Game History"), QStringLiteral("filtered")));
    QCOMPARE(pages.size(), 1);
    QCOMPARE(printedDates(pages), expected);
    // Sorted by the result word: the folds come first, the wins last.
    const QStringList lines = textLines(pages.first());
    QVERIFY(lines.value(2).endsWith(QLatin1String(" Fold")));
    QVERIFY(lines.last().endsWith(QLatin1String(" Win")));
    for (const QString &date : printedDates(pages))
        QVERIFY2(date.mid(3, 2) == QLatin1String("02"), qPrintable(date));
}

// Rows another program wrote with a DateP that is no date print as their text; the rows
// after them print as well.
void TestPrintReport::aDateThatIsNoDatePrintsAsWritten()
{
    openHistory(numberedGames(3));
    executeCommand(*m_connection,
                   QStringLiteral("INSERT INTO History VALUES ('last week', 'As', 'Kd', '--', "
                                  "'--', '--', '--', '--', 0, 'High Card. A, K', 'Win')"));
    m_table->setSort(QStringLiteral("H1"));
    const QStringList pages =
        pdfPages(renderToPdf(*m_table, QStringLiteral("Game History"), QStringLiteral("odd")));
    QCOMPARE(pages.size(), 1);
    const QStringList lines = textLines(pages.first());
    QVERIFY2(lines.contains(QStringLiteral("last week As Kd -- -- -- -- -- High Card. A, K Win")),
             qPrintable(lines.join(QLatin1Char('\n'))));
    QCOMPARE(lines.size(), 2 + 4);
}

void TestPrintReport::anEmptyViewPrintsTitleAndHeadings()
{
    openHistory(numberedGames(5));
    m_table->setFilter(QStringLiteral("H1 = 'xx'"));
    m_table->setFiltered(true);
    QVERIFY(m_table->isEmpty());

    const QStringList pages =
        pdfPages(renderToPdf(*m_table, QStringLiteral("Hand History"), QStringLiteral("empty")));
    QCOMPARE(pages.size(), 1);
    QCOMPARE(textLines(pages.first()),
             QStringList({QStringLiteral("Hand History Date: 07/03/2024"), kHeadings}));
}

void TestPrintReport::columnsStandWhereTheDesignPutsThem()
{
    Game game = numberedGame(0);
    game.hand = QStringLiteral("Straight Flush. A, K, Q, J, T"); // the longest description
    openHistory({game});
    const QString pdf =
        renderToPdf(*m_table, QStringLiteral("Game History"), QStringLiteral("columns"));
    savePagePictures(pdf, QStringLiteral("columns-close"), 200, QRect(100, 60, 1420, 150));
    const QList<PdfWord> words = pdfWords(pdf);

    // Each heading and each value lies inside its column, centred ones about its middle; the
    // hand starts at its column's left rule.
    const double left = 15;
    const double top = 10;
    for (const HistoryReportColumn &column : historyReportColumns()) {
        QList<PdfWord> inColumn;
        for (const PdfWord &word : words) {
            if (word.xMinMm >= left + column.fromMm && word.xMaxMm <= left + column.toMm &&
                word.yMinMm > top + kHistoryTitleBandMm)
                inColumn.append(word);
        }
        // Heading, and the value (two words and more for the date-free hand text).
        QVERIFY2(inColumn.size() >= 2, qPrintable(column.heading));
        const PdfWord &heading = inColumn.first();
        QCOMPARE(heading.text, column.heading);
        QVERIFY(heading.yMinMm > top + kHistoryTitleBandMm);
        QVERIFY(heading.yMaxMm < top + kHistoryTitleBandMm + kHistoryRowBandMm);
        const PdfWord &value = inColumn.at(1);
        QVERIFY(value.yMinMm > top + kHistoryTitleBandMm + kHistoryRowBandMm);
        if (column.alignment == Qt::AlignLeft) {
            QVERIFY(qAbs(value.xMinMm - (left + column.fromMm + 1)) < 0.5);
        } else {
            const double middle = left + (column.fromMm + column.toMm) / 2;
            QVERIFY2(qAbs((value.xMinMm + value.xMaxMm) / 2 - middle) < 0.5,
                     qPrintable(value.text));
        }
    }
    // The longest hand description fits its column whole.
    QStringList hand;
    for (const PdfWord &word : words) {
        if (word.xMinMm >= left + 113.8 && word.xMaxMm <= left + 158.8 && word.yMinMm > top + 11.9)
            hand.append(word.text);
    }
    QCOMPARE(hand.join(QLatin1Char(' ')), game.hand);
}

void TestPrintReport::rulesAndBoxesAreDrawn()
{
    // Rendered onto an image at 10 pixels per millimetre: the title box, the column rules and
    // the bottom rule of each band are black where the design puts them.
    openHistory(numberedGames(2));
    QImage page(QSize(2159, 2794), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.translate(150, 100); // the left and top margins
    DbTableReportSource source(*m_table);
    const ReportSurface surface{painter, 10, 10, 259.4, [] {
                                    return false;
                                }};
    renderReport(historyReport(), source, surface, kPrintDate);
    painter.end();

    const auto black = [&page](double xMm, double yMm) {
        const QColor colour = page.pixelColor(qRound((15 + xMm) * 10), qRound((10 + yMm) * 10));
        return colour.lightness() < 100;
    };
    // Title box: its four edges.
    QVERIFY(black(0, 3));
    QVERIFY(black(175.9, 3));
    QVERIFY(black(80, 0));
    QVERIFY(black(80, 6.6));
    // Column rules run through the headings and the rows, none through the title.
    for (const double x : {21.2, 34.4, 47.6, 60.9, 74.1, 87.3, 100.5, 113.8, 158.8}) {
        QVERIFY2(black(x, 6.6 + 2.6), qPrintable(QString::number(x)));
        QVERIFY(black(x, 11.9 + 2.6));
        QVERIFY(!black(x, 1.5) || x == 87.3 || x == 100.5); // the title's words may stand there
    }
    QVERIFY(!black(60.9, 1.5));
    // Left and right edges of the table, and the bottom rules of the headings and both rows;
    // nothing below the last row.
    QVERIFY(black(0, 14.5));
    QVERIFY(black(175.9, 14.5));
    for (const double y : {11.9, 17.2, 22.5})
        QVERIFY(black(150, y));
    QVERIFY(!black(150, 24));
    QVERIFY(!black(0, 24));
}

void TestPrintReport::stoppingFromTheProgressEndsTheWalk()
{
    openHistory(numberedGames(60));
    const QString pdf = m_dir->filePath(QStringLiteral("stopped.pdf"));
    QPdfWriter writer(pdf);
    applyPageSetup(writer, historyReportPage());
    QPainter painter(&writer);
    DbTableReportSource source(*m_table);
    QList<int> told;
    const ReportRun run = renderReport(historyReport(), source, painter, writer, kPrintDate,
                                       [&told](int rows, int page) {
                                           told.append(rows * 100 + page);
                                           return rows < 50;
                                       });
    painter.end();
    QVERIFY(!run.completed);
    QCOMPARE(run.rows, 50);
    QCOMPARE(run.pages, 2);
    QCOMPARE(told.first(), 101);
    QCOMPARE(told.at(45), 4601);
    QCOMPARE(told.at(46), 4702); // the 47th row opens page 2
    QCOMPARE(m_table->currentRow(), 49);
}

void TestPrintReport::aRefusedNewPageIsReported()
{
    openHistory(numberedGames(60));
    QImage page(QSize(2159, 2794), QImage::Format_RGB32);
    QPainter painter(&page);
    DbTableReportSource source(*m_table);
    const ReportSurface surface{painter, 10, 10, 259.4, [] {
                                    return false;
                                }};
    QString message;
    try {
        renderReport(historyReport(), source, surface, kPrintDate);
    } catch (const ReportError &error) {
        message = error.message();
    }
    QCOMPARE(message, QStringLiteral("The printer did not accept page 2."));
    QCOMPARE(m_table->currentRow(), 46); // the 47th row found no page
}

QTEST_MAIN(TestPrintReport)
#include "tst_printreport.moc"
