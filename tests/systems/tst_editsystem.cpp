// SPDX-License-Identifier: GPL-3.0-or-later
// The "Edit System" dialog driven through its lists, combo boxes and threshold edits on a new
// system: which rows it shows and names, what it stores and when, what it refuses, and that
// nothing typed, wheeled or failed ever reaches a row other than the one named on screen.
#include "editorfixture.h"

#include "systems/systemvocabulary.h"

#include <QFile>

class TestEditSystem : public EditorTest
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startSystem(); }
    void cleanup() { stopSystem(); }

    void startingHandList()
    {
        openEditor();
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Edit System - system.mdb"));
        QCOMPARE(pages()->currentIndex(), 0);
        QListWidget *hands = list(QStringLiteral("ListBoxPF"));
        QCOMPARE(hands->count(), 169);
        QCOMPARE(hands->item(0)->text(), QStringLiteral("AA"));
        QCOMPARE(hands->item(1)->text(), QStringLiteral("AK suited"));
        QCOMPARE(hands->item(2)->text(), QStringLiteral("AK offsuit"));
        QCOMPARE(hands->item(25)->text(), QStringLiteral("KK"));
        QCOMPARE(hands->item(168)->text(), QStringLiteral("22"));
        QVERIFY(hands->selectedItems().isEmpty());
        // The fields show the row the table stands on, and say which it is.
        QCOMPARE(system_->handSet.currentRow(), 0);
        QCOMPARE(label(QStringLiteral("LabelPFRow"))->text(), QStringLiteral("AA"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFCl"))->currentText(),
                 QStringLiteral("Check/Fold"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFCl"))->count(), 7);
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFCl"))->itemText(6),
                 QStringLiteral("Raise All-In"));
    }

    // The page opens on the row the advice looked up last; the heading names that row, so a
    // change never goes to a hand the user did not see named.
    void openingNamesTheRowLookedUpLast()
    {
        QVERIFY(system_->handSet.locate(kHandKey, {"QJ suited"}));
        openEditor();
        QCOMPARE(label(QStringLiteral("LabelPFRow"))->text(), QStringLiteral("QJ suited"));
        pick(combo(QStringLiteral("DBComboBoxPFR4")), QStringLiteral("Raise 200%"));
        clickOk();
        QCOMPARE(storedHand("QJ suited", "OppR4"), QStringLiteral("Raise 200%"));
    }

    void headingNamesTheRow_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("opponents");
        QTest::addColumn<QString>("heading");
        QTest::newRow("AK offsuit") << 0 << "AK offsuit" << QString() << "AK offsuit";
        QTest::newRow("22") << 0 << "22" << QString() << "22";
        QTest::newRow("Flush, Flop, Raise 100%") << 1 << "Flush"
                                                 << "Raise 100%"
                                                 << "Flush · Flop · Opponents Raise 100%";
        QTest::newRow("2 Kind, Turn, Check") << 2 << "2 Kind"
                                             << "Check"
                                             << "2 Kind · Turn · Opponents Check";
        QTest::newRow("Straight Flush, River, Raise All-In")
            << 3 << "Straight Flush"
            << "Raise All-In"
            << "Straight Flush · River · Opponents Raise All-In";
    }
    void headingNamesTheRow()
    {
        QFETCH(int, page);
        QFETCH(QString, type);
        QFETCH(QString, opponents);
        QFETCH(QString, heading);
        openEditor();
        if (page == 0) {
            choose(list(QStringLiteral("ListBoxPF")), type);
            QCOMPARE(label(QStringLiteral("LabelPFRow"))->text(), heading);
            QCOMPARE(system_->handSet.text("Hand"), type);
        } else {
            chooseRound(page, type, opponents);
            QCOMPARE(label(QStringLiteral("Label%1Row").arg(pageLetter(page)))->text(), heading);
            QCOMPARE(typeSetRow(), type + '/' + systemRounds().at(page - 1) + '/' + opponents);
        }
    }

    void roundPages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("chance");
        QTest::newRow("Flop") << 1 << "Flop"
                              << "Turn (%)";
        QTest::newRow("Turn") << 2 << "Turn"
                              << "River (%)";
        QTest::newRow("River") << 3 << "River"
                               << "You (%)";
    }
    void roundPages()
    {
        QFETCH(int, page);
        QFETCH(QString, title);
        QFETCH(QString, chance);
        openEditor();
        const QString l = pageLetter(page);
        QCOMPARE(pages()->tabText(page), title);
        QStringList types;
        for (int i = 0; i < list(QStringLiteral("ListBox%1H").arg(l))->count(); ++i)
            types.append(list(QStringLiteral("ListBox%1H").arg(l))->item(i)->text());
        QCOMPARE(types, QStringList({"2 Kind", "2 Pair", "3 Kind", "Straight", "Flush",
                                     "Full House", "4 Kind", "Straight Flush"}));
        QStringList opponents;
        for (int i = 0; i < list(QStringLiteral("ListBox%1O").arg(l))->count(); ++i)
            opponents.append(list(QStringLiteral("ListBox%1O").arg(l))->item(i)->text());
        QCOMPARE(opponents, QStringList({"Check", "Call", "Raise 100%", "Raise 200%", "Raise 400%",
                                         "Raise 800%", "Raise All-In"}));

        chooseRound(page, QStringLiteral("2 Kind"), QStringLiteral("Check"));
        QStringList captions;
        for (const QLabel *caption :
             control<QWidget>(QStringLiteral("TabSheet") + title)->findChildren<QLabel *>())
            captions.append(caption->text());
        for (const QString &caption :
             {chance + " =  100", chance + " >=", chance + " < 50", QStringLiteral("Higher (%) >="),
              QStringLiteral("Higher (%) < 50")})
            QVERIFY2(captions.contains(caption), qPrintable(caption));
        QCOMPARE(edit(QStringLiteral("DBEdit%1HitV").arg(l))->text(), QStringLiteral("50"));
        QCOMPARE(combo(QStringLiteral("DBComboBox%1HitS").arg(l))->currentText(),
                 QStringLiteral("Check/Fold"));
        QCOMPARE(combo(QStringLiteral("DBComboBox%1HgrS").arg(l))->currentText(),
                 QStringLiteral("Check/Call"));
    }

    // A round page that lacks a selection shows nothing, takes nothing, and names no row.
    void roundPageWithoutBothSelections_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("opponents");
        QTest::newRow("Flop, nothing chosen") << 1 << QString() << QString();
        QTest::newRow("Turn, hand type only") << 2 << "Flush" << QString();
        QTest::newRow("River, opponents only") << 3 << QString() << "Call";
    }
    void roundPageWithoutBothSelections()
    {
        QFETCH(int, page);
        QFETCH(QString, type);
        QFETCH(QString, opponents);
        openEditor();
        // The table stands on a row of another round, as the advice may have left it.
        QVERIFY(system_->typeSet.locate(kTypeKeys, {"Straight", "Flop", "Raise 200%"}));
        chooseRound(page, type, opponents);
        QCOMPARE(typeSetRow(), QStringLiteral("Straight/Flop/Raise 200%"));
        const QString l = pageLetter(page);
        QCOMPARE(label(QStringLiteral("Label%1Row").arg(l))->text(), QString());
        QVERIFY(!label(QStringLiteral("Label%1Note").arg(l))->text().isEmpty());
        for (const char *field : {"HitE", "HitL", "HitS", "HgrL", "HgrS"}) {
            QComboBox *box = combo(QStringLiteral("DBComboBox%1%2").arg(l, field));
            QCOMPARE(box->currentText(), QString());
            QVERIFY(!box->isEnabled());
        }
        for (const char *field : {"HitV", "HgrV"}) {
            QLineEdit *threshold = edit(QStringLiteral("DBEdit%1%2").arg(l, field));
            QCOMPARE(threshold->text(), QString());
            QVERIFY(!threshold->isEnabled());
            QTest::keyClicks(threshold, QStringLiteral("7"));
        }
        clickOk();
        QCOMPARE(editor_->result(), int(QDialog::Accepted));
        QCOMPARE(storedRow({"Straight", "Flop", "Raise 200%"}, "HitV"), QStringLiteral("50"));
        QCOMPARE(storedRow({"Straight", "Flop", "Raise 200%"}, "HitE"),
                 QStringLiteral("Check/Call"));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // Choosing AK offsuit shows its actions; a change to one of them is stored when KK is
    // chosen next, before KK is shown.
    void choosingHandsShowsAndStores()
    {
        QVERIFY(changeField(system_->handSet, kHandKey, {"AK offsuit"}, "OppR2", "Raise 400%"));
        QVERIFY(changeField(system_->handSet, kHandKey, {"KK"}, "OppAI", "Raise All-In"));
        openEditor();
        QListWidget *hands = list(QStringLiteral("ListBoxPF"));
        choose(hands, QStringLiteral("AK offsuit"));
        QCOMPARE(system_->handSet.text("Hand"), QStringLiteral("AK offsuit"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFR2"))->currentText(),
                 QStringLiteral("Raise 400%"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFAI"))->currentText(),
                 QStringLiteral("Check/Fold"));

        pick(combo(QStringLiteral("DBComboBoxPFR1")), QStringLiteral("Raise 800%"));
        QCOMPARE(storedHand("AK offsuit", "OppR1"), QStringLiteral("Check/Fold"));
        choose(hands, QStringLiteral("KK"));
        QCOMPARE(storedHand("AK offsuit", "OppR1"), QStringLiteral("Raise 800%"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFR1"))->currentText(),
                 QStringLiteral("Check/Fold"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFAI"))->currentText(),
                 QStringLiteral("Raise All-In"));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // A typed action is stored as typed, up to the twelve characters the field holds: no
    // completion and no matching of letter case changes it, whether Enter or a move ends it.
    void typedActionStoredUnchanged_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");
        QTest::newRow("limp in") << "limp in" << false;
        QTest::newRow("Raise, the start of an action") << "Raise" << false;
        QTest::newRow("Raise then Enter") << "Raise" << true;
        QTest::newRow("raise 100% in small letters") << "raise 100%" << false;
        QTest::newRow("raise 100% then Enter") << "raise 100%" << true;
        QTest::newRow("Check/Call exactly") << "Check/Call" << true;
    }
    void typedActionStoredUnchanged()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        openEditor();
        choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("AA"));
        QComboBox *call = combo(QStringLiteral("DBComboBoxPFCl"));
        QCOMPARE(call->lineEdit()->maxLength(), 12);
        pick(call, typed);
        if (enter)
            QTest::keyClick(call, Qt::Key_Return);
        QCOMPARE(call->currentText(), typed);
        choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("KK"));
        QCOMPARE(storedHand("AA", "OppCl"), typed);
        QCOMPARE(storedHand("KK", "OppCl"), QStringLiteral("Check/Fold"));
    }

    // Turning the wheel over a field without the focus changes nothing; with the focus it
    // steps through the actions.
    void wheelNeedsTheFocus_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("name");
        QTest::newRow("Opponents Call") << 0 << "DBComboBoxPFCl";
        QTest::newRow("Opponents Raise All-In") << 0 << "DBComboBoxPFAI";
        QTest::newRow("Flop HitE") << 1 << "DBComboBoxFHitE";
        QTest::newRow("River HgrS") << 3 << "DBComboBoxRHgrS";
    }
    void wheelNeedsTheFocus()
    {
        QFETCH(int, page);
        QFETCH(QString, name);
        openEditor();
        if (page == 0)
            choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("T9 suited"));
        else
            chooseRound(page, QStringLiteral("3 Kind"), QStringLiteral("Call"));
        QComboBox *box = combo(name);
        const QString before = box->currentText();
        QVERIFY(!box->hasFocus());
        wheel(box);
        QCOMPARE(box->currentText(), before);
        QVERIFY(!box->hasFocus());
        QLineEdit *threshold =
            page == 0 ? nullptr : edit(QStringLiteral("DBEdit%1HitV").arg(pageLetter(page)));
        if (threshold) {
            wheel(threshold);
            QCOMPARE(threshold->text(), QStringLiteral("50"));
        }
        clickOk();
        const QVariantList row = {"3 Kind", systemRounds().value(page - 1), "Call"};
        const QString field = name.mid(QStringLiteral("DBComboBoxF").size());
        if (page == 0)
            QCOMPARE(storedHand("T9 suited", preFlopColumnFor(name.endsWith("Cl") ? 1 : 6)),
                     before);
        else
            QCOMPARE(storedRow(row, field), before);

        // With the focus, the wheel is the user's choice.
        startSystem();
        openEditor();
        if (page != 0)
            chooseRound(page, QStringLiteral("3 Kind"), QStringLiteral("Call"));
        box = combo(name);
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        const QString focused = box->currentText();
        wheel(box);
        QVERIFY(box->currentText() != focused);
    }

    // Thresholds are clamped to 1..99 and repeated in the caption below once the edit is
    // finished, the same way on every path; a text that is no whole number gets one message
    // on the path that would store it and is never stored.
    void thresholds_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("finish"); // "focus", "Enter", "OK" or "move"
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Flop HitV 0, focus") << 1 << "HitV"
                                            << "0"
                                            << "focus"
                                            << "1"
                                            << "Turn (%) < 1";
        QTest::newRow("Flop HitV 0, OK") << 1 << "HitV"
                                         << "0"
                                         << "OK"
                                         << "1"
                                         << "Turn (%) < 1";
        QTest::newRow("Flop HitV cleared, move") << 1 << "HitV"
                                                 << ""
                                                 << "move"
                                                 << "1"
                                                 << "Turn (%) < 1";
        QTest::newRow("Flop HitV 150, Enter") << 1 << "HitV"
                                              << "150"
                                              << "Enter"
                                              << "99"
                                              << "Turn (%) < 99";
        QTest::newRow("Flop HitV 35, focus") << 1 << "HitV"
                                             << "35"
                                             << "focus"
                                             << "35"
                                             << "Turn (%) < 35";
        QTest::newRow("Turn HitV 35, move") << 2 << "HitV"
                                            << "35"
                                            << "move"
                                            << "35"
                                            << "River (%) < 35";
        QTest::newRow("River HitV 35, OK") << 3 << "HitV"
                                           << "35"
                                           << "OK"
                                           << "35"
                                           << "You (%) < 35";
        QTest::newRow("Flop HgrV 35, Enter") << 1 << "HgrV"
                                             << "35"
                                             << "Enter"
                                             << "35"
                                             << "Higher (%) < 35";
        QTest::newRow("River HgrV 99, move") << 3 << "HgrV"
                                             << "99"
                                             << "move"
                                             << "99"
                                             << "Higher (%) < 99";
        QTest::newRow("River HgrV 100, focus") << 3 << "HgrV"
                                               << "100"
                                               << "focus"
                                               << "99"
                                               << "Higher (%) < 99";
        QTest::newRow("Turn HgrV -5, OK") << 2 << "HgrV"
                                          << "-5"
                                          << "OK"
                                          << "1"
                                          << "Higher (%) < 1";
        QTest::newRow("Flop HitV 3.5, focus") << 1 << "HitV"
                                              << "3.5"
                                              << "focus"
                                              << "3.5"
                                              << "Turn (%) < 50";
        QTest::newRow("Flop HitV 3.5, OK") << 1 << "HitV"
                                           << "3.5"
                                           << "OK"
                                           << "3.5"
                                           << "Turn (%) < 50";
        QTest::newRow("Turn HitV 4x, move") << 2 << "HitV"
                                            << "4x"
                                            << "move"
                                            << "4x"
                                            << "River (%) < 50";
        QTest::newRow("River HgrV 4x, Enter") << 3 << "HgrV"
                                              << "4x"
                                              << "Enter"
                                              << "4x"
                                              << "Higher (%) < 50";
        QTest::newRow("Flop HgrV lone minus, move") << 1 << "HgrV"
                                                    << "-"
                                                    << "move"
                                                    << "-"
                                                    << "Higher (%) < 50";
    }
    void thresholds()
    {
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, finish);
        QFETCH(QString, shown);
        QFETCH(QString, caption);
        openEditor();
        chooseRound(page, QStringLiteral("2 Pair"), QStringLiteral("Raise 100%"));
        const QString l = pageLetter(page);
        QLineEdit *threshold = edit(QStringLiteral("DBEdit%1%2").arg(l, field));
        typeInto(threshold, typed);
        // Nothing is clamped, refused or repeated while the user types.
        QCOMPARE(threshold->text(), typed);
        QVERIFY(prompts_->messages.isEmpty());

        if (finish == QStringLiteral("focus"))
            list(QStringLiteral("ListBox%1H").arg(l))->setFocus();
        else if (finish == QStringLiteral("Enter"))
            QTest::keyClick(threshold, Qt::Key_Return);
        else if (finish == QStringLiteral("OK"))
            clickOk();
        else
            choose(list(QStringLiteral("ListBox%1O").arg(l)), QStringLiteral("Call"));
        bool whole = false;
        shown.toInt(&whole);
        const QString below =
            field == QStringLiteral("HitV") ? QStringLiteral("HitS") : QStringLiteral("HgrS");
        const QVariantList row = {"2 Pair", systemRounds().at(page - 1), "Raise 100%"};
        if (whole && finish == QStringLiteral("move")) {
            // The row was left: its value went to the file, the fields show the next row.
            QCOMPARE(storedRow(row, field), shown);
            QCOMPARE(typeSetRow(), "2 Pair/" + systemRounds().at(page - 1) + "/Call");
            choose(list(QStringLiteral("ListBox%1O").arg(l)), QStringLiteral("Raise 100%"));
        }
        QCOMPARE(threshold->text(), shown);
        QCOMPARE(label(QStringLiteral("Label%1%2").arg(l, below))->text(), caption);
        const QString refusal = QStringLiteral("'%1' is not a valid integer value").arg(typed);
        if (whole || finish == QStringLiteral("focus"))
            QCOMPARE(prompts_->texts(), QStringList());
        else
            QCOMPARE(prompts_->texts(), QStringList{refusal});
        // A refused move stays on the row whose entry was refused.
        if (!whole && finish == QStringLiteral("move")) {
            QCOMPARE(selected(list(QStringLiteral("ListBox%1O").arg(l))),
                     QStringLiteral("Raise 100%"));
            QCOMPARE(typeSetRow(), "2 Pair/" + systemRounds().at(page - 1) + "/Raise 100%");
        }

        if (editor_->isVisible())
            clickOk();
        if (whole) {
            QVERIFY(!editor_->isVisible());
            QCOMPARE(storedRow(row, field), shown);
        } else {
            // What is no whole number is not stored; the dialog stays open to correct it.
            QVERIFY(editor_->isVisible());
            QCOMPARE(prompts_->texts().count(refusal), finish == QStringLiteral("focus") ? 1 : 2);
            QCOMPARE(storedRow(row, field), QStringLiteral("50"));
        }
    }

    // Backspacing a threshold leaves the field empty for the next digits: typing 35 over 40
    // gives 35, not 135 or 99.
    void retypingAThreshold()
    {
        openEditor();
        chooseRound(1, QStringLiteral("Flush"), QStringLiteral("Call"));
        QLineEdit *threshold = edit(QStringLiteral("DBEditFHitV"));
        typeInto(threshold, QStringLiteral("40"));
        list(QStringLiteral("ListBoxFH"))->setFocus();
        QCOMPARE(label(QStringLiteral("LabelFHitS"))->text(), QStringLiteral("Turn (%) < 40"));
        threshold->setFocus();
        threshold->end(false);
        QTest::keyClick(threshold, Qt::Key_Backspace);
        QTest::keyClick(threshold, Qt::Key_Backspace);
        QCOMPARE(threshold->text(), QString());
        QTest::keyClicks(threshold, QStringLiteral("35"));
        QCOMPARE(threshold->text(), QStringLiteral("35"));
        clickOk();
        QCOMPARE(storedRow({"Flush", "Flop", "Call"}, "HitV"), QStringLiteral("35"));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // An empty threshold in the file counts as 0: it is shown as it is, and neither opening
    // its row nor OK changes it or asks anything.
    void emptyStoredThresholdNeverBlocks()
    {
        QVERIFY(changeField(system_->typeSet, kTypeKeys, {"Full House", "River", "Check"}, "HgrV",
                            QVariant()));
        openEditor();
        chooseRound(3, QStringLiteral("Full House"), QStringLiteral("Check"));
        QCOMPARE(edit(QStringLiteral("DBEditRHgrV"))->text(), QString());
        QCOMPARE(label(QStringLiteral("LabelRHgrS"))->text(), QStringLiteral("Higher (%) < 0"));
        choose(list(QStringLiteral("ListBoxRO")), QStringLiteral("Call"));
        choose(list(QStringLiteral("ListBoxRO")), QStringLiteral("Check"));
        clickOk();
        QCOMPARE(editor_->result(), int(QDialog::Accepted));
        QVERIFY(prompts_->messages.isEmpty());
        QCOMPARE(storedRow({"Full House", "River", "Check"}, "HgrV"), QString());
    }

    void roundRowsFollowTheLists()
    {
        openEditor();
        const QString start = typeSetRow();
        QCOMPARE(start, QStringLiteral("2 Kind/Flop/Check"));
        chooseRound(1, QStringLiteral("Flush"), QString());
        QCOMPARE(typeSetRow(), start);
        chooseRound(1, QString(), QStringLiteral("Call"));
        QCOMPARE(typeSetRow(), QStringLiteral("Flush/Flop/Call"));
        // A page without both selections leaves the table where it stands and shows nothing.
        showPage(2);
        QCOMPARE(typeSetRow(), QStringLiteral("Flush/Flop/Call"));
        QCOMPARE(edit(QStringLiteral("DBEditTHitV"))->text(), QString());
        chooseRound(2, QStringLiteral("Flush"), QStringLiteral("Call"));
        QCOMPARE(typeSetRow(), QStringLiteral("Flush/Turn/Call"));
        QCOMPARE(edit(QStringLiteral("DBEditTHitV"))->text(), QStringLiteral("50"));
        // Showing a page brings up the row of its selections.
        showPage(1);
        QCOMPARE(typeSetRow(), QStringLiteral("Flush/Flop/Call"));
        showPage(2);
        QCOMPARE(typeSetRow(), QStringLiteral("Flush/Turn/Call"));
        showPage(0);
        QCOMPARE(typeSetRow(), QStringLiteral("Flush/Turn/Call"));
    }

    void locatingIgnoresCase()
    {
        QVERIFY(changeField(system_->typeSet, kTypeKeys, {"3 Kind", "Flop", "Call"}, "HType",
                            "3 kind"));
        QVERIFY(changeField(system_->typeSet, kTypeKeys, {"3 kind", "Flop", "Call"}, "HitE",
                            "Raise 200%"));
        QVERIFY(changeField(system_->handSet, kHandKey, {"T9 suited"}, "Hand", "t9 SUITED"));
        openEditor();
        chooseRound(1, QStringLiteral("3 Kind"), QStringLiteral("Call"));
        QCOMPARE(typeSetRow(), QStringLiteral("3 kind/Flop/Call"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxFHitE"))->currentText(),
                 QStringLiteral("Raise 200%"));
        showPage(0);
        choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("T9 suited"));
        QCOMPARE(system_->handSet.text("Hand"), QStringLiteral("t9 SUITED"));
    }

    // An entry without a row shows empty fields closed to input and says why, instead of
    // showing, and editing, the row shown before.
    void entryWithoutRowShowsNothing_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("Pre-Flop") << 0;
        QTest::newRow("Turn") << 2;
    }
    void entryWithoutRowShowsNothing()
    {
        QFETCH(int, page);
        QVERIFY(changeField(system_->handSet, kHandKey, {"AK offsuit"}, "Hand", "gone"));
        QVERIFY(changeField(system_->typeSet, kTypeKeys, {"4 Kind", "Turn", "Call"}, "Rnd", "x"));
        QVERIFY(changeField(system_->handSet, kHandKey, {"KK"}, "OppCl", "Raise 100%"));
        openEditor();
        QComboBox *box = nullptr;
        QString note;
        if (page == 0) {
            QListWidget *hands = list(QStringLiteral("ListBoxPF"));
            choose(hands, QStringLiteral("KK"));
            choose(hands, QStringLiteral("AK offsuit"));
            QCOMPARE(system_->handSet.text("Hand"), QStringLiteral("KK"));
            QCOMPARE(label(QStringLiteral("LabelPFRow"))->text(), QStringLiteral("AK offsuit"));
            note = label(QStringLiteral("LabelPFNote"))->text();
            box = combo(QStringLiteral("DBComboBoxPFCl"));
        } else {
            chooseRound(2, QStringLiteral("4 Kind"), QStringLiteral("Check"));
            choose(list(QStringLiteral("ListBoxTO")), QStringLiteral("Call"));
            QCOMPARE(typeSetRow(), QStringLiteral("4 Kind/Turn/Check"));
            note = label(QStringLiteral("LabelTNote"))->text();
            box = combo(QStringLiteral("DBComboBoxTHitE"));
            QVERIFY(!edit(QStringLiteral("DBEditTHitV"))->isEnabled());
        }
        QVERIFY2(note.contains(QLatin1String("no row")), qPrintable(note));
        QCOMPARE(box->currentText(), QString());
        QVERIFY(!box->isEnabled());
        clickOk();
        QCOMPARE(storedHand("KK", "OppCl"), QStringLiteral("Raise 100%"));
        QCOMPARE(storedRow({"4 Kind", "Turn", "Check"}, "HitE"), QStringLiteral("Check/Call"));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // Only the round page on view shows the row; what it changed is stored when it is left.
    void leavingARoundPageStoresItsRow()
    {
        openEditor();
        chooseRound(1, QStringLiteral("3 Kind"), QStringLiteral("Call"));
        typeInto(edit(QStringLiteral("DBEditFHitV")), QStringLiteral("35"));
        pick(combo(QStringLiteral("DBComboBoxFHitE")), QStringLiteral("Raise 200%"));
        showPage(3);
        const QVariantList row = {"3 Kind", "Flop", "Call"};
        QCOMPARE(storedRow(row, "HitV"), QStringLiteral("35"));
        QCOMPARE(storedRow(row, "HitE"), QStringLiteral("Raise 200%"));
        QCOMPARE(edit(QStringLiteral("DBEditRHitV"))->text(), QString());
        QCOMPARE(combo(QStringLiteral("DBComboBoxRHitE"))->currentText(), QString());
        showPage(1);
        QCOMPARE(edit(QStringLiteral("DBEditFHitV"))->text(), QStringLiteral("35"));
        QCOMPARE(label(QStringLiteral("LabelFHitS"))->text(), QStringLiteral("Turn (%) < 35"));
        choose(list(QStringLiteral("ListBoxFO")), QStringLiteral("Check"));
        QCOMPARE(edit(QStringLiteral("DBEditFHitV"))->text(), QStringLiteral("50"));
        QCOMPARE(label(QStringLiteral("LabelFHitS"))->text(), QStringLiteral("Turn (%) < 50"));
    }

    // With the file locked by another program, a row move whose store fails stays on the row
    // that was changed, with the user's entry on view; retried later, it is stored there and
    // nowhere else.
    void failedStoreStaysOnTheRow_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("from"); // list entry (hand, or opponents on 2 Pair)
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("how"); // "move", "page" or "OK": what tries to store
        QTest::newRow("QJ suited to QT suited") << 0 << "QJ suited"
                                                << "QT suited"
                                                << "OppR1"
                                                << "move";
        QTest::newRow("QJ suited, then the Flop page") << 0 << "QJ suited"
                                                       << "QT suited"
                                                       << "OppR1"
                                                       << "page";
        QTest::newRow("QJ suited, then OK") << 0 << "QJ suited"
                                            << "QT suited"
                                            << "OppR1"
                                            << "OK";
        QTest::newRow("Flop Call to Raise 100%") << 1 << "Call"
                                                 << "Raise 100%"
                                                 << "HgrL"
                                                 << "move";
        QTest::newRow("River Call, then the Pre-Flop page") << 3 << "Call"
                                                            << "Raise 100%"
                                                            << "HitS"
                                                            << "page";
    }
    void failedStoreStaysOnTheRow()
    {
        QFETCH(int, page);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, field);
        QFETCH(QString, how);
        openEditor();
        QListWidget *entries = list(page == 0 ? QStringLiteral("ListBoxPF")
                                              : QStringLiteral("ListBox%1O").arg(pageLetter(page)));
        QComboBox *box =
            combo(page == 0 ? QStringLiteral("DBComboBoxPFR1")
                            : QStringLiteral("DBComboBox%1%2").arg(pageLetter(page), field));
        if (page == 0)
            choose(entries, from);
        else
            chooseRound(page, QStringLiteral("2 Pair"), from);
        const auto keysOf = [page](const QString &entry) {
            return page == 0 ? QVariantList{entry}
                             : QVariantList{"2 Pair", systemRounds().at(page - 1), entry};
        };
        const auto storedOf = [&](const QString &entry) {
            return page == 0 ? storedHand(entry, field) : storedRow(keysOf(entry), field);
        };
        const QString before = storedOf(to);
        pick(box, QStringLiteral("Raise 400%"));

        FileLock lock(system_->path);
        QVERIFY(lock.locked());
        if (how == QStringLiteral("move"))
            choose(entries, to);
        else if (how == QStringLiteral("page"))
            showPage(page == 0 ? 1 : 0);
        else
            clickOk();
        QCOMPARE(prompts_->messages.size(), 1);
        QCOMPARE(prompts_->messages.front().kind, ScriptedPrompts::Message::Error);
        QVERIFY(editor_->isVisible());
        QCOMPARE(pages()->currentIndex(), page);
        QCOMPARE(selected(entries), from);
        QCOMPARE(box->currentText(), QStringLiteral("Raise 400%"));
        QVERIFY(box->isEnabled());
        if (page == 0)
            QCOMPARE(system_->handSet.text("Hand"), from);
        else
            QCOMPARE(system_->typeSet.text("Opps"), from);
        lock.release();
        QCOMPARE(storedOf(from), page == 0 ? QStringLiteral("Check/Fold") : storedOf(from));

        // Retried once the file is free, the change lands on its own row only.
        choose(entries, to);
        QCOMPARE(storedOf(from), QStringLiteral("Raise 400%"));
        QCOMPARE(storedOf(to), before);
        QCOMPARE(box->currentText(), before);
        clickOk();
        QCOMPARE(editor_->result(), int(QDialog::Accepted));
        QCOMPARE(storedOf(to), before);
        QCOMPARE(prompts_->messages.size(), 1);
    }

    // After a failed store, Cancel drops the change that could not be written.
    void cancelAfterAFailedStore()
    {
        openEditor();
        choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("QJ suited"));
        pick(combo(QStringLiteral("DBComboBoxPFR8")), QStringLiteral("Raise All-In"));
        {
            FileLock lock(system_->path);
            QVERIFY(lock.locked());
            choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("QT suited"));
        }
        QCOMPARE(prompts_->messages.size(), 1);
        QTest::mouseClick(control<QPushButton>("BitBtnCancel"), Qt::LeftButton);
        QVERIFY(!system_->handSet.isEditing());
        QCOMPARE(storedHand("QJ suited", "OppR8"), QStringLiteral("Check/Fold"));
        QCOMPARE(storedHand("QT suited", "OppR8"), QStringLiteral("Check/Fold"));
    }

    // OK stores the rows on view; Cancel and Escape drop their unstored changes. Changes to
    // rows left earlier stay stored either way.
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("kept");
        QTest::newRow("OK") << "OK" << true;
        QTest::newRow("Cancel") << "Cancel" << false;
        QTest::newRow("Escape") << "Escape" << false;
    }
    void closing()
    {
        QFETCH(QString, how);
        QFETCH(bool, kept);
        openEditor();
        QListWidget *hands = list(QStringLiteral("ListBoxPF"));
        choose(hands, QStringLiteral("QQ"));
        pick(combo(QStringLiteral("DBComboBoxPFR8")), QStringLiteral("Raise All-In"));
        choose(hands, QStringLiteral("AA"));
        pick(combo(QStringLiteral("DBComboBoxPFCl")), QStringLiteral("Raise 100%"));
        // The Pre-Flop row on view is stored when its page is left, so the Turn row is the
        // one whose changes OK stores or Cancel drops.
        chooseRound(2, QStringLiteral("Straight"), QStringLiteral("Raise 800%"));
        pick(combo(QStringLiteral("DBComboBoxTHgrL")), QStringLiteral("Check/Call"));
        typeInto(edit(QStringLiteral("DBEditTHgrV")), QStringLiteral("70"));

        if (how == QStringLiteral("OK"))
            clickOk();
        else if (how == QStringLiteral("Cancel"))
            QTest::mouseClick(control<QPushButton>("BitBtnCancel"), Qt::LeftButton);
        else
            QTest::keyClick(editor_.get(), Qt::Key_Escape);

        QVERIFY(!editor_->isVisible());
        QCOMPARE(editor_->result(), int(kept ? QDialog::Accepted : QDialog::Rejected));
        QVERIFY(!system_->handSet.isEditing());
        QVERIFY(!system_->typeSet.isEditing());
        QCOMPARE(storedHand("QQ", "OppR8"), QStringLiteral("Raise All-In"));
        QCOMPARE(storedHand("AA", "OppCl"), QStringLiteral("Raise 100%"));
        const QVariantList row = {"Straight", "Turn", "Raise 800%"};
        QCOMPARE(storedRow(row, "HgrL"),
                 kept ? QStringLiteral("Check/Call") : QStringLiteral("Check/Fold"));
        QCOMPARE(storedRow(row, "HgrV"), kept ? QStringLiteral("70") : QStringLiteral("50"));
        QCOMPARE(system_->typeSet.text("HgrL"),
                 kept ? QStringLiteral("Check/Call") : QStringLiteral("Check/Fold"));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // A system closed while the dialog is open: OK stores nothing and closes.
    void okWithoutSystem()
    {
        openEditor();
        system_->connection.close();
        clickOk();
        QCOMPARE(editor_->result(), int(QDialog::Accepted));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // A read-only file is shown with every field closed to input, and OK writes nothing.
    void readOnlySystem()
    {
        system_->connection.close();
        QVERIFY(QFile::setPermissions(system_->path, QFile::ReadOwner | QFile::ReadGroup));
        OpenSystemTables(system_->connection, system_->handSet, system_->typeSet);
        QVERIFY(system_->connection.isReadOnly());
        openEditor();
        QVERIFY(label(QStringLiteral("LabelReadOnly"))->isVisible());
        choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("AK suited"));
        QCOMPARE(label(QStringLiteral("LabelPFRow"))->text(), QStringLiteral("AK suited"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFCl"))->currentText(),
                 QStringLiteral("Check/Fold"));
        QVERIFY(!combo(QStringLiteral("DBComboBoxPFCl"))->isEnabled());
        chooseRound(1, QStringLiteral("Flush"), QStringLiteral("Call"));
        QCOMPARE(edit(QStringLiteral("DBEditFHitV"))->text(), QStringLiteral("50"));
        QVERIFY(!edit(QStringLiteral("DBEditFHitV"))->isEnabled());
        QVERIFY(!control<QWidget>(QStringLiteral("ToolButtonFApplyTo"))->isEnabled());
        showPage(4);
        QVERIFY(!control<QWidget>(QStringLiteral("ToolButtonChart3"))->isEnabled());
        clickOk();
        QCOMPARE(editor_->result(), int(QDialog::Accepted));
        QVERIFY(prompts_->messages.isEmpty());
        QVERIFY(QFile::setPermissions(system_->path, QFile::ReadOwner | QFile::WriteOwner));
    }

    void layout()
    {
        openEditor();
        QVERIFY(control<QPushButton>("BitBtnOK")->isDefault());
        QCOMPARE(editor_->minimumSize(), editor_->maximumSize());
        const QSize design = editor_->size();
        QVERIFY(design.width() >= TFormEditSystem::kClientWidth);
        QVERIFY(design.height() >= TFormEditSystem::kClientHeight);
        for (int page = 0; page < pages()->count(); ++page) {
            pages()->setCurrentIndex(page);
            // The four pages keep the design size; the chart grows the dialog while it shows.
            if (page < TFormEditSystem::ChartPage)
                QCOMPARE(editor_->size(), design);
            else
                QVERIFY(editor_->width() >= design.width() && editor_->height() >= design.height());
            QCOMPARE(editor_->minimumSize(), editor_->maximumSize());
            QWidget *sheet = pages()->widget(page);
            QVERIFY(!sheet->accessibleName().isEmpty());
            // Every control lies whole inside its page.
            for (QWidget *child : sheet->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (!child->isVisible())
                    continue;
                QVERIFY2(
                    sheet->rect().contains(child->geometry()),
                    qPrintable(child->objectName() + QLatin1Char(' ') + pages()->tabText(page)));
            }
        }
        pages()->setCurrentIndex(0);
        QCOMPARE(editor_->size(), design);
        for (QWidget *child : editor_->findChildren<QWidget *>()) {
            if (qobject_cast<QComboBox *>(child) || qobject_cast<QListWidget *>(child) ||
                qobject_cast<QAbstractButton *>(child) ||
                (qobject_cast<QLineEdit *>(child) && child->objectName().startsWith("DBEdit")))
                QVERIFY2(!child->accessibleName().isEmpty(),
                         qPrintable(child->objectName() + QLatin1Char(' ') +
                                    child->metaObject()->className()));
        }
    }
};

QTEST_MAIN(TestEditSystem)
#include "tst_editsystem.moc"
