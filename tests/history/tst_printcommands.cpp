// SPDX-License-Identifier: GPL-3.0-or-later
// Print Setup, Print and Game History Graph from the main window's menus, on the program's own
// history views: the windows made at start, the views handed over in their filter and order,
// the printer dialog's choice used by the next print.
#include "app/startup.h"
#include "app/tallowby.h"
#include "engine/handstate.h"
#include "history/QRHistory.h"
#include "history/printhistory.h"
#include "historyfixture.h"
#include "report/reportprintdialogs.h"
#include "tools/gamehistorygraph.h"

#include <QAction>
#include <QComboBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

using namespace pdfreport;

namespace {

class ScriptedPrinterDialogs final : public PrinterDialogs
{
public:
    ScriptedPrinterDialogs() { setPrinterDialogs(this); }
    ~ScriptedPrinterDialogs() override { setPrinterDialogs(nullptr); }

    QString pdfFile;
    QWidget *shownOver = nullptr;

    void setUpPrinter(QWidget *parent, QPrinter &printer) override
    {
        shownOver = parent;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
    }
};

void trigger(const char *item)
{
    auto *action = FormTallowby->findChild<QAction *>(QString::fromLatin1(item));
    if (!action)
        qFatal("no menu item %s", item);
    action->trigger();
}

// Runs a step inside the next modal window's event loop.
void whileModal(std::function<void()> step)
{
    QTimer::singleShot(0, FormTallowby, std::move(step));
}

Game game(int day, const char *h1, const char *h2, const char *result)
{
    return {QDate(2024, 4, day), QString::fromLatin1(h1), QString::fromLatin1(h2),
            QStringLiteral("High Card. A, K, 9, 7, 4"), QString::fromLatin1(result)};
}

} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void theWindowsAreMadeAtStart();
    void printHandsOverTheViewsAsTheyStand_data();
    void printHandsOverTheViewsAsTheyStand();
    void printSetupChoosesTheNextPrintsOutput();
    void theGraphChartsTheViews();

private:
    ScriptedPrompts &prompts() { return m_program->prompts; }

    std::optional<QTemporaryDir> m_dir;
    std::unique_ptr<RunningProgram> m_program;
};

void TestPrintCommands::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_program = std::make_unique<RunningProgram>();
    const QString file = m_dir->filePath(QStringLiteral("games.mdb"));
    createHistoryFile(file, {game(1, "As", "Kd", "Win"), game(2, "Qc", "Qh", "Lose"),
                             game(10, "Kh", "Ac", "Fold"), game(11, "7s", "2d", "Split"),
                             game(20, "Ad", "Ks", "Lose")});
    prompts().fileNames.enqueue(file);
    trigger("MenuOpenDatabase");
    QVERIFY2(FormTallowby->historyDatabaseOpen(), qPrintable(prompts().texts().join(' ')));
    prompts().clear();
}

void TestPrintCommands::cleanup()
{
    m_program.reset();
    m_dir.reset();
    tallowby::currentHand().ResetHand();
    QLocale::setDefault(QLocale::c());
}

void TestPrintCommands::theWindowsAreMadeAtStart()
{
    QVERIFY(FormQRHistory && FormPrint && FormGraph);
    QCOMPARE(FormPrint->windowTitle(), QStringLiteral("Print..."));
    QCOMPARE(FormGraph->windowTitle(), QStringLiteral("Game History Graph"));
    QVERIFY(!FormPrint->isVisible());
    QVERIFY(!FormGraph->isVisible());
}

void TestPrintCommands::printHandsOverTheViewsAsTheyStand_data()
{
    QTest::addColumn<bool>("handHistory");
    QTest::addColumn<QStringList>("dates");
    // The game history filtered to 1..15 April and sorted by result; the hand history of an ace
    // and a king in its default order, newest first.
    QTest::newRow("Game History") << false
                                  << QStringList{"10/04/2024", "02/04/2024", "11/04/2024",
                                                 "01/04/2024"};
    QTest::newRow("Hand History") << true << QStringList{"20/04/2024", "10/04/2024", "01/04/2024"};
}

void TestPrintCommands::printHandsOverTheViewsAsTheyStand()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("A printer is installed here: this test needs a machine without one.");
    QFETCH(bool, handHistory);
    QFETCH(QStringList, dates);
    DbTable &games = FormTallowby->gameHistoryTable();
    games.setFilter(QStringLiteral("DateP >= 01/04/2024 AND DateP <= 15/04/2024"));
    games.setFiltered(true);
    games.setSort(QStringLiteral("Result"));
    FormTallowby->SetSlotCard(tallowby::H1, 13); // ace of spades
    FormTallowby->SetSlotCard(tallowby::H2, 51); // king of hearts
    FormTallowby->ApplyHandHistoryFilter();

    const QString pdf = m_dir->filePath(QStringLiteral("report.pdf"));
    prompts().answers.enqueue(Prompts::Answer::Yes);
    prompts().fileNames.enqueue(pdf);
    whileModal([handHistory] {
        FormPrint
            ->findChild<QRadioButton *>(handHistory ? QStringLiteral("RadioButtonHH")
                                                    : QStringLiteral("RadioButtonGH"))
            ->click();
        FormPrint->findChild<QPushButton *>(QStringLiteral("BitBtnOK"))->click();
    });
    trigger("MenuPrint");

    QVERIFY(!FormPrint->isVisible());
    QCOMPARE(prompts().messages.size(), 1);
    QVERIFY(prompts().messages.first().text.startsWith(QLatin1String("No printer is available.")));
    const QString title =
        handHistory ? QStringLiteral("Hand History") : QStringLiteral("Game History");
    QVERIFY(textLines(pdfPages(pdf).value(0)).value(0).startsWith(title));
    QCOMPARE(rowDates(pdf), dates);
    QVERIFY(!(handHistory ? FormTallowby->handHistoryTable() : games).viewsSuspended());
}

void TestPrintCommands::printSetupChoosesTheNextPrintsOutput()
{
    ScriptedPrinterDialogs setup;
    setup.pdfFile = m_dir->filePath(QStringLiteral("setup.pdf"));
    trigger("MenuPrintSetup");
    QCOMPARE(setup.shownOver, FormTallowby);

    whileModal([] { FormPrint->findChild<QPushButton *>(QStringLiteral("BitBtnOK"))->click(); });
    trigger("MenuPrint");
    QVERIFY(prompts().messages.isEmpty());
    QCOMPARE(rowDates(setup.pdfFile).size(), 5);
}

void TestPrintCommands::theGraphChartsTheViews()
{
    FormTallowby->SetSlotCard(tallowby::H1, 13);
    FormTallowby->SetSlotCard(tallowby::H2, 51);
    FormTallowby->ApplyHandHistoryFilter();
    QList<tallowby::GraphBar> gameBars;
    QList<tallowby::GraphBar> handBars;
    whileModal([&] {
        gameBars = FormGraph->bars();
        auto *mode = FormGraph->findChild<QComboBox *>(QStringLiteral("ComboBoxMode"));
        mode->setCurrentIndex(1);
        Q_EMIT mode->activated(1);
        auto *type = FormGraph->findChild<QComboBox *>(QStringLiteral("ComboBoxType"));
        type->setCurrentIndex(1);
        Q_EMIT type->activated(1);
        handBars = FormGraph->bars();
        FormGraph->reject();
    });
    trigger("MenuGameHistoryGraph");

    // "Card" over all five games, then "Result" over the three ace-king games.
    QCOMPARE(gameBars.size(), 13);
    QCOMPARE(gameBars.at(0).count, 3); // aces
    QCOMPARE(gameBars.at(1).count, 3); // kings
    QCOMPARE(handBars.size(), 4);
    QCOMPARE(handBars.at(0).count, 1); // Win
    QCOMPARE(handBars.at(1).count, 1); // Lose
    QCOMPARE(handBars.at(3).count, 1); // Fold
    QVERIFY(prompts().messages.isEmpty());
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
