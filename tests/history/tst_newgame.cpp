// SPDX-License-Identifier: GPL-3.0-or-later
// The New Game / Save dialog: its result words, the players box, choices kept between
// openings, and how a recording step's success or failure is reported.
#include "controls.h"
#include "history/newgame.h"

#include "scriptedprompts.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

enum class Close
{
    Ok,
    Cancel,
    Escape
};

// Opens the dialog modally, as New Game does, and closes it from inside its own event loop.
int openAndClose(TFormNewGame &dialog, Close how)
{
    QTimer::singleShot(0, &dialog, [&dialog, how] {
        switch (how) {
        case Close::Ok:
            QTest::mouseClick(control<QPushButton>(dialog, "BitBtnOK"), Qt::LeftButton);
            break;
        case Close::Cancel:
            QTest::mouseClick(control<QPushButton>(dialog, "BitBtnCancel"), Qt::LeftButton);
            break;
        case Close::Escape:
            QTest::keyClick(&dialog, Qt::Key_Escape);
            break;
        }
    });
    return dialog.exec();
}

// Replaces the number in the players box by typing, as a user would.
void typePlayers(TFormNewGame &dialog, const QString &typed)
{
    auto *spin = control<QSpinBox>(dialog, "SpinEditTP");
    spin->setFocus();
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Delete);
    QTest::keyClicks(spin, typed);
}

} // namespace

class TestNewGame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithWinAndTenPlayers();
    void resultWords_data();
    void resultWords();
    void choicesKeptBetweenOpenings_data();
    void choicesKeptBetweenOpenings();
    void typedPlayers_data();
    void typedPlayers();
    void recordStep_data();
    void recordStep();
    void cancelRecordsNothing();
    void controlsHaveAccessibleNames();
};

void TestNewGame::startsWithWinAndTenPlayers()
{
    TFormNewGame dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("New Game / Save"));
    QVERIFY(control<QRadioButton>(dialog, "RadioButtonWin")->isChecked());
    QCOMPARE(dialog.resultText(), QStringLiteral("Win"));
    QCOMPARE(dialog.totalPlayers(), 10);
    QCOMPARE(dialog.totalPlayersText(), QStringLiteral("10"));
    const auto *spin = control<QSpinBox>(dialog, "SpinEditTP");
    QCOMPARE(spin->minimum(), 2);
    QCOMPARE(spin->maximum(), 10);
    QVERIFY(control<QPushButton>(dialog, "BitBtnOK")->isDefault());
}

void TestNewGame::resultWords_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("word");
    QTest::newRow("RadioButtonWin") << "RadioButtonWin"
                                    << "Win";
    QTest::newRow("RadioButtonLose") << "RadioButtonLose"
                                     << "Lose";
    QTest::newRow("RadioButtonSplit") << "RadioButtonSplit"
                                      << "Split";
    QTest::newRow("RadioButtonFold") << "RadioButtonFold"
                                     << "Fold";
}

void TestNewGame::resultWords()
{
    QFETCH(QString, button);
    QFETCH(QString, word);
    TFormNewGame dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Start from another choice so the click has to change the answer.
    control<QRadioButton>(dialog,
                          button == "RadioButtonFold" ? "RadioButtonLose" : "RadioButtonFold")
        ->setChecked(true);
    auto *radio = control<QRadioButton>(dialog, button.toLatin1());
    // On the indicator: the button is wider than its caption.
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    QCOMPARE(dialog.resultText(), word);
    int checked = 0;
    for (const auto *each : dialog.findChildren<QRadioButton *>())
        checked += each->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
}

void TestNewGame::choicesKeptBetweenOpenings_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("closedBy");
    QTest::newRow("Lose, 6 players, OK") << "RadioButtonLose" << 6 << int(Close::Ok);
    QTest::newRow("Split, 2 players, Cancel") << "RadioButtonSplit" << 2 << int(Close::Cancel);
    QTest::newRow("Fold, 9 players, Esc") << "RadioButtonFold" << 9 << int(Close::Escape);
}

void TestNewGame::choicesKeptBetweenOpenings()
{
    QFETCH(QString, button);
    QFETCH(int, players);
    QFETCH(int, closedBy);
    TFormNewGame dialog;
    QTimer::singleShot(0, &dialog, [&] {
        control<QRadioButton>(dialog, button.toLatin1())->click();
        typePlayers(dialog, QString::number(players));
    });
    const int firstResult = openAndClose(dialog, Close(closedBy));
    QCOMPARE(firstResult,
             closedBy == int(Close::Ok) ? int(QDialog::Accepted) : int(QDialog::Rejected));

    const QString expectedWord = button.mid(QStringLiteral("RadioButton").size());
    QCOMPARE(dialog.resultText(), expectedWord);
    QCOMPARE(dialog.totalPlayersText(), QString::number(players));

    // The next opening shows the same choices, and closing it untouched keeps them.
    QTimer::singleShot(0, &dialog, [&] {
        QVERIFY(control<QRadioButton>(dialog, button.toLatin1())->isChecked());
        QCOMPARE(dialog.totalPlayers(), players);
    });
    QCOMPARE(openAndClose(dialog, Close::Ok), int(QDialog::Accepted));
    QCOMPARE(dialog.resultText(), expectedWord);
    QCOMPARE(dialog.totalPlayers(), players);
}

void TestNewGame::typedPlayers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // what the box holds before OK
    QTest::addColumn<bool>("accepted"); // whether OK closes the dialog
    QTest::newRow("7") << "7"
                       << "7" << true;
    QTest::newRow("2") << "2"
                       << "2" << true;
    QTest::newRow("10") << "10"
                        << "10" << true;
    QTest::newRow("1") << "1"
                       << "1" << false;
    QTest::newRow("11") << "11"
                        << "1" << false; // the second 1 is refused
    QTest::newRow("0") << "0"
                       << "0" << false;
    QTest::newRow("nothing") << ""
                             << "" << false;
    QTest::newRow("x") << "x"
                       << "" << false;
}

void TestNewGame::typedPlayers()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, accepted);
    ScriptedPrompts prompts;
    TFormNewGame dialog;
    dialog.setModal(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    control<QSpinBox>(dialog, "SpinEditTP")->setValue(5);

    typePlayers(dialog, typed);
    QCOMPARE(dialog.totalPlayersText(), shown);
    // Enter in the box is OK.
    QTest::keyClick(control<QSpinBox>(dialog, "SpinEditTP"), Qt::Key_Return);

    QCOMPARE(dialog.isVisible(), !accepted);
    if (accepted) {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(dialog.totalPlayersText(), typed);
        QCOMPARE(dialog.totalPlayers(), typed.toInt());
        return;
    }
    QCOMPARE(prompts.texts(), QStringList{"Total players must be a number from 2 to 10."});
    QCOMPARE(prompts.messages.first().kind, ScriptedPrompts::Message::Warning);
    // OK refuses the same way; Cancel then leaves the last valid number for the card panel.
    QTest::mouseClick(control<QPushButton>(dialog, "BitBtnOK"), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(prompts.messages.size(), 2);
    QTest::mouseClick(control<QPushButton>(dialog, "BitBtnCancel"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.totalPlayersText(), QStringLiteral("5"));
    QCOMPARE(dialog.totalPlayers(), 5);
}

void TestNewGame::recordStep_data()
{
    QTest::addColumn<QString>("step"); // "none", "writes", "fails", "throws"
    QTest::addColumn<bool>("recorded");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("no step") << "none" << false << false << QStringList{};
    QTest::newRow("step writes") << "writes" << true << false << QStringList{};
    QTest::newRow("step fails") << "fails" << false << true << QStringList{};
    QTest::newRow("step throws") << "throws" << false << true << QStringList{"disk full"};
}

void TestNewGame::recordStep()
{
    QFETCH(QString, step);
    QFETCH(bool, recorded);
    QFETCH(bool, failed);
    QFETCH(QStringList, messages);
    ScriptedPrompts prompts;
    TFormNewGame dialog;
    control<QRadioButton>(dialog, "RadioButtonSplit")->setChecked(true);
    QString seenResult;
    if (step != "none")
        dialog.setRecordGame([&]() -> bool {
            seenResult = dialog.resultText();
            if (step == "throws")
                throw std::runtime_error("disk full");
            return step == "writes";
        });

    // The dialog closes after OK whatever the step reports.
    QCOMPARE(openAndClose(dialog, Close::Ok), int(QDialog::Accepted));
    QCOMPARE(dialog.recorded(), recorded);
    QCOMPARE(dialog.recordFailed(), failed);
    QCOMPARE(prompts.texts(), messages);
    QCOMPARE(seenResult, step == "none" ? QString() : QStringLiteral("Split"));

    // The next opening starts from a clean outcome.
    QCOMPARE(openAndClose(dialog, Close::Cancel), int(QDialog::Rejected));
    QVERIFY(!dialog.recorded());
    QVERIFY(!dialog.recordFailed());
}

void TestNewGame::cancelRecordsNothing()
{
    TFormNewGame dialog;
    int calls = 0;
    dialog.setRecordGame([&calls] {
        ++calls;
        return true;
    });
    QCOMPARE(openAndClose(dialog, Close::Cancel), int(QDialog::Rejected));
    QCOMPARE(openAndClose(dialog, Close::Escape), int(QDialog::Rejected));
    QCOMPARE(calls, 0);
    QCOMPARE(openAndClose(dialog, Close::Ok), int(QDialog::Accepted));
    QCOMPARE(calls, 1);
}

void TestNewGame::controlsHaveAccessibleNames()
{
    TFormNewGame dialog;
    QList<QWidget *> controls;
    for (auto *widget : dialog.findChildren<QAbstractButton *>())
        controls.append(widget);
    controls.append(control<QSpinBox>(dialog, "SpinEditTP"));
    controls.append(control<QGroupBox>(dialog, "GroupBoxResult"));
    QCOMPARE(controls.size(), 8);
    for (const QWidget *widget : controls)
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
}

QTEST_MAIN(TestNewGame)
#include "tst_newgame.moc"
