// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog and the report layout behind it: the chosen view printed in its filter and
// order, no usable printer told to the user with a PDF file offered instead, the PDF output of
// Print Setup, refusals of the file reported, the grid kept still during the walk, Cancel.
#include "controls.h"
#include "db/dbtablemodel.h"
#include "history/QRHistory.h"
#include "history/printhistory.h"
#include "historyfixture.h"
#include "report/reportprintdialogs.h"
#include "report/reportprinter.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace pdfreport;

namespace {

using Outcome = TFormQRHistory::Outcome;

const QString kNoPrinter =
    QStringLiteral("No printer is available. Save the report as a PDF file instead?");

// Print Setup as a user would leave it: a PDF file chosen as the printer's output.
class ScriptedPrinterDialogs final : public PrinterDialogs
{
public:
    ScriptedPrinterDialogs() { setPrinterDialogs(this); }
    ~ScriptedPrinterDialogs() override { setPrinterDialogs(nullptr); }

    QString pdfFile;
    int shown = 0;

    void setUpPrinter(QWidget *, QPrinter &printer) override
    {
        ++shown;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
    }
};

Game game(int day, const char *h1, const char *h2, const char *result)
{
    return {QDate(2024, 5, day), QString::fromLatin1(h1), QString::fromLatin1(h2),
            QStringLiteral("High Card. A, K, 9, 7, 4"), QString::fromLatin1(result)};
}

} // namespace

class TestPrintDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void printTarget_data();
    void printTarget();

    void noPrinterOffersAPdfFile_data();
    void noPrinterOffersAPdfFile();
    void theChosenViewIsPrinted_data();
    void theChosenViewIsPrinted();
    void anExistingFileIsReplacedOnlyOnYes_data();
    void anExistingFileIsReplacedOnlyOnYes();
    void anUnwritableFileIsReported();
    void printSetupsPdfOutputIsUsed();
    void theGridStaysStillWhilePrinting();
    void okPrintsAndCloses();
    void cancelPrintsNothingAndKeepsTheChoice();
    void layoutAndAccessibleNames();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::optional<QTemporaryDir> m_dir;
    std::optional<ScriptedPrompts> m_prompts;
    std::optional<DbConnection> m_connection;
    std::optional<DbTable> m_game;
    std::optional<DbTable> m_hand;
    std::optional<TFormQRHistory> m_report;
    std::optional<TFormPrint> m_dialog;
};

void TestPrintDialog::initTestCase()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("A printer is installed here: these tests need a machine without one.");
}

void TestPrintDialog::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_prompts.emplace();
    const QString file = path(QStringLiteral("history.mdb"));
    createHistoryFile(file, {game(1, "As", "Kd", "Win"), game(2, "Qc", "Qh", "Lose"),
                             game(3, "Kh", "Ac", "Fold"), game(4, "7s", "2d", "Split"),
                             game(5, "Ad", "Ks", "Lose")});
    m_connection.emplace();
    m_connection->setConnectionString(DbConnection::connectionStringFor(file));
    m_game.emplace(*m_connection, QStringLiteral("History"));
    m_game->open();
    m_game->setSort(QStringLiteral("DateP DESC"));
    // The hand history of an ace and a king, oldest first.
    m_hand.emplace(*m_connection, QStringLiteral("History"));
    m_hand->open();
    m_hand->setFilter(QStringLiteral("(H1 >= 'A' AND H1 <= 'Az' AND H2 >= 'K' AND H2 <= 'Kz') OR "
                                     "(H2 >= 'A' AND H2 <= 'Az' AND H1 >= 'K' AND H1 <= 'Kz')"));
    m_hand->setFiltered(true);
    m_hand->setSort(QStringLiteral("DateP"));
    m_report.emplace();
    m_dialog.emplace(*m_report);
    m_dialog->setTables(&*m_game, &*m_hand);
}

void TestPrintDialog::cleanup()
{
    m_dialog.reset();
    m_report.reset();
    m_hand.reset();
    m_game.reset();
    m_connection.reset();
    m_prompts.reset();
    m_dir.reset();
    QLocale::setDefault(QLocale::c());
}

void TestPrintDialog::printTarget_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<PrintTarget>("target");
    const QStringList office = {QStringLiteral("Office"), QStringLiteral("Lab")};
    QTest::newRow("installed printer") << false << "Lab"
                                       << "" << office << PrintTarget::Printer;
    QTest::newRow("printer removed since") << false << "Hall"
                                           << "" << office << PrintTarget::None;
    QTest::newRow("no printer at all") << false << ""
                                       << "" << QStringList() << PrintTarget::None;
    QTest::newRow("PDF file chosen") << true << ""
                                     << "/tmp/r.pdf" << QStringList() << PrintTarget::PdfFile;
    QTest::newRow("PDF without a file") << true << ""
                                        << "" << office << PrintTarget::None;
}

void TestPrintDialog::printTarget()
{
    QFETCH(bool, pdf);
    QFETCH(QString, printer);
    QFETCH(QString, file);
    QFETCH(QStringList, installed);
    QFETCH(PrintTarget, target);
    QCOMPARE(printTargetFor({pdf, printer, file}, installed), target);
}

void TestPrintDialog::noPrinterOffersAPdfFile_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("nameFile");
    QTest::addColumn<int>("outcome");
    QTest::newRow("declined") << false << false << int(Outcome::NotPrinted);
    QTest::newRow("file dialog cancelled") << true << false << int(Outcome::NotPrinted);
    QTest::newRow("saved") << true << true << int(Outcome::SavedAsPdf);
}

void TestPrintDialog::noPrinterOffersAPdfFile()
{
    QFETCH(bool, accept);
    QFETCH(bool, nameFile);
    QFETCH(int, outcome);
    const QString pdf = path(QStringLiteral("report.pdf"));
    m_prompts->answers.enqueue(accept ? Prompts::Answer::Yes : Prompts::Answer::No);
    if (nameFile)
        m_prompts->fileNames.enqueue(pdf);

    m_dialog->BitBtnOKClick();

    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.first().kind, ScriptedPrompts::Message::Question);
    QCOMPARE(m_prompts->messages.first().text, kNoPrinter);
    QCOMPARE(m_prompts->fileCaptions.size(), accept ? 1 : 0);
    QVERIFY(m_dialog->lastOutcome().has_value());
    QCOMPARE(int(*m_dialog->lastOutcome()), outcome);
    QCOMPARE(QFile::exists(pdf), nameFile);
    if (accept) {
        QCOMPARE(m_prompts->fileCaptions.first(), QStringLiteral("Save Report as PDF"));
        QVERIFY(m_prompts->fileFolders.first().endsWith(QLatin1String("/Game History.pdf")));
    }
    if (nameFile) {
        savePagePictures(pdf, QStringLiteral("dialog-game-history"));
        QVERIFY(
            textLines(pdfPages(pdf).value(0)).value(0).startsWith(QLatin1String("Game History")));
    }
}

void TestPrintDialog::theChosenViewIsPrinted_data()
{
    QTest::addColumn<bool>("handHistory");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("Game History, newest first")
        << false << "Game History"
        << QStringList{"05/05/2024", "04/05/2024", "03/05/2024", "02/05/2024", "01/05/2024"};
    QTest::newRow("Hand History, ace and king, oldest first")
        << true << "Hand History" << QStringList{"01/05/2024", "03/05/2024", "05/05/2024"};
}

void TestPrintDialog::theChosenViewIsPrinted()
{
    QFETCH(bool, handHistory);
    QFETCH(QString, title);
    QFETCH(QStringList, dates);
    control<QRadioButton>(*m_dialog, handHistory ? "RadioButtonHH" : "RadioButtonGH")->click();
    const QString pdf = path(QStringLiteral("view.pdf"));
    m_prompts->answers.enqueue(Prompts::Answer::Yes);
    m_prompts->fileNames.enqueue(pdf);

    m_dialog->BitBtnOKClick();

    QCOMPARE(m_report->title(), title);
    QCOMPARE(m_report->boundTable(), handHistory ? &*m_hand : &*m_game);
    QVERIFY(
        textLines(pdfPages(pdf).value(0)).value(0).startsWith(title + QLatin1String(" Date: ")));
    QCOMPARE(rowDates(pdf), dates);
}

void TestPrintDialog::anExistingFileIsReplacedOnlyOnYes_data()
{
    QTest::addColumn<Prompts::Answer>("overwrite");
    QTest::newRow("No keeps the file") << Prompts::Answer::No;
    QTest::newRow("Yes replaces it") << Prompts::Answer::Yes;
}

void TestPrintDialog::anExistingFileIsReplacedOnlyOnYes()
{
    QFETCH(Prompts::Answer, overwrite);
    const QString pdf = path(QStringLiteral("kept.pdf"));
    {
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older report");
    }
    m_prompts->answers << Prompts::Answer::Yes << overwrite;
    m_prompts->fileNames.enqueue(pdf);

    m_dialog->BitBtnOKClick();

    QCOMPARE(m_prompts->messages.size(), 2);
    QCOMPARE(m_prompts->messages.at(1).caption, QStringLiteral("Overwrite"));
    QCOMPARE(m_prompts->messages.at(1).text, QStringLiteral("File already exists. Overwrite?"));
    QFile written(pdf);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray content = written.readAll();
    if (overwrite == Prompts::Answer::Yes) {
        QVERIFY(content.startsWith("%PDF"));
        QCOMPARE(*m_dialog->lastOutcome(), Outcome::SavedAsPdf);
    } else {
        QCOMPARE(content, QByteArray("an older report"));
        QCOMPARE(*m_dialog->lastOutcome(), Outcome::NotPrinted);
    }
}

void TestPrintDialog::anUnwritableFileIsReported()
{
    const QString pdf = path(QStringLiteral("no such folder/report.pdf"));
    m_prompts->answers.enqueue(Prompts::Answer::Yes);
    m_prompts->fileNames.enqueue(pdf);

    m_dialog->BitBtnOKClick();

    QCOMPARE(m_prompts->messages.size(), 2);
    const ScriptedPrompts::Message &report = m_prompts->messages.at(1);
    QCOMPARE(report.kind, ScriptedPrompts::Message::Error);
    QVERIFY2(report.text.startsWith(QStringLiteral("The report could not be saved as “")),
             qPrintable(report.text));
    QVERIFY(report.text.contains(QLatin1String("report.pdf")));
    QVERIFY(!m_dialog->lastOutcome().has_value());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QVERIFY(!QFile::exists(pdf));
}

void TestPrintDialog::printSetupsPdfOutputIsUsed()
{
    ScriptedPrinterDialogs setup;
    setup.pdfFile = path(QStringLiteral("setup.pdf"));
    printerDialogs().setUpPrinter(nullptr, m_report->printer());
    QCOMPARE(setup.shown, 1);

    m_dialog->BitBtnOKClick();

    QVERIFY(m_prompts->messages.isEmpty());
    QCOMPARE(*m_dialog->lastOutcome(), Outcome::SavedAsPdf);
    QCOMPARE(rowDates(setup.pdfFile).size(), 5);
    // The report's own paper, whatever the printer was set to.
    QVERIFY(QString::fromUtf8(run("pdfinfo", {setup.pdfFile}))
                .contains(QLatin1String("612 x 792 pts (letter)")));
}

void TestPrintDialog::theGridStaysStillWhilePrinting()
{
    DbTableModel grid(*m_game);
    QSignalSpy resets(&grid, &QAbstractItemModel::modelReset);
    QSignalSpy moves(&*m_game, &DbTable::currentRowChanged);
    m_prompts->answers.enqueue(Prompts::Answer::Yes);
    m_prompts->fileNames.enqueue(path(QStringLiteral("still.pdf")));

    m_dialog->BitBtnOKClick();

    QCOMPARE(*m_dialog->lastOutcome(), Outcome::SavedAsPdf);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(moves.size(), 1);
    QCOMPARE(moves.first().first().toInt(), 4); // the walk ends on the last row
    QVERIFY(!m_game->viewsSuspended());
}

void TestPrintDialog::okPrintsAndCloses()
{
    m_prompts->answers.enqueue(Prompts::Answer::No);
    QTimer::singleShot(0, &*m_dialog, [this] {
        QTest::mouseClick(control<QPushButton>(*m_dialog, "BitBtnOK"), Qt::LeftButton);
    });
    QCOMPARE(m_dialog->exec(), int(QDialog::Accepted));
    QCOMPARE(m_prompts->texts(), QStringList{kNoPrinter});
}

void TestPrintDialog::cancelPrintsNothingAndKeepsTheChoice()
{
    QTimer::singleShot(0, &*m_dialog, [this] {
        control<QRadioButton>(*m_dialog, "RadioButtonHH")->click();
        QTest::mouseClick(control<QPushButton>(*m_dialog, "BitBtnCancel"), Qt::LeftButton);
    });
    QCOMPARE(m_dialog->exec(), int(QDialog::Rejected));
    QVERIFY(m_prompts->messages.isEmpty());
    QCOMPARE(m_report->boundTable(), nullptr);

    // Opened again, the dialog still shows the user's choice, and OK prints that view.
    QTimer::singleShot(0, &*m_dialog, [this] {
        QVERIFY(control<QRadioButton>(*m_dialog, "RadioButtonHH")->isChecked());
        QVERIFY(!control<QRadioButton>(*m_dialog, "RadioButtonGH")->isChecked());
        m_dialog->BitBtnOKClick();
    });
    QCOMPARE(m_dialog->exec(), int(QDialog::Accepted));
    QCOMPARE(m_report->title(), QStringLiteral("Hand History"));
}

void TestPrintDialog::layoutAndAccessibleNames()
{
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*m_dialog));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Print..."));
    QCOMPARE(m_dialog->size(), QSize(TFormPrint::kClientWidth, TFormPrint::kClientHeight));
    QVERIFY(control<QRadioButton>(*m_dialog, "RadioButtonGH")->isChecked());
    QVERIFY(control<QPushButton>(*m_dialog, "BitBtnOK")->isDefault());
    for (QWidget *widget : m_dialog->findChildren<QWidget *>()) {
        if (widget->focusPolicy() != Qt::NoFocus)
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
    }
    const std::unique_ptr<QProgressDialog> progress = makePrintProgress(&*m_dialog, 200);
    progress->setLabelText(QStringLiteral("Printing page 3..."));
    progress->setValue(120);
    progress->show();
    QVERIFY(!progress->accessibleName().isEmpty());

    const QString folder = qEnvironmentVariable("TALLOWBY_SHOTS");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        m_dialog->grab().save(QDir(folder).filePath(QStringLiteral("print-dialog.png")));
        progress->grab().save(QDir(folder).filePath(QStringLiteral("print-progress.png")));
    }
}

QTEST_MAIN(TestPrintDialog)
#include "tst_printdialog.moc"
