// SPDX-License-Identifier: GPL-3.0-or-later
// The "Edit System" dialog driven through its lists, combo boxes and threshold edits on a new
// system: which rows it shows, what it stores and when, and the thresholds kept to 1..99.
#include "systemfixture.h"

#include "scriptedprompts.h"
#include "systems/editsystem.h"
#include "systems/systemvocabulary.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

const QString kHand = QStringLiteral("Hand");
const QString kKeys = QStringLiteral("HType;Rnd;Opps");

QString pageLetter(int page)
{
    return QStringLiteral("?FTR").mid(page, 1);
}

} // namespace

class TestEditSystem : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporarySystem> system_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<TFormEditSystem> editor_;

    template <typename T> T *control(const QString &name) const
    {
        T *found = editor_->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QComboBox *combo(const QString &name) const { return control<QComboBox>(name); }
    QLineEdit *edit(const QString &name) const { return control<QLineEdit>(name); }
    QListWidget *list(const QString &name) const { return control<QListWidget>(name); }

    void openEditor()
    {
        editor_ = std::make_unique<TFormEditSystem>(system_->handSet, system_->typeSet);
        editor_->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
    }

    void showPage(int page)
    {
        control<QTabWidget>(QStringLiteral("PageControl"))->setCurrentIndex(page);
    }

    // A mouse click on the entry, as the user makes it.
    static void choose(QListWidget *list, const QString &text)
    {
        const QList<QListWidgetItem *> items = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(items.size() == 1, qPrintable(text));
        list->scrollToItem(items.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.front()).center());
        QVERIFY(items.front()->isSelected());
    }

    void chooseRound(int page, const QString &type, const QString &opponents)
    {
        showPage(page);
        if (!type.isEmpty())
            choose(list(QStringLiteral("ListBox%1H").arg(pageLetter(page))), type);
        if (!opponents.isEmpty())
            choose(list(QStringLiteral("ListBox%1O").arg(pageLetter(page))), opponents);
    }

    static void typeInto(QLineEdit *line, const QString &text)
    {
        line->setFocus();
        line->selectAll();
        if (text.isEmpty())
            QTest::keyClick(line, Qt::Key_Backspace);
        else
            QTest::keyClicks(line, text);
    }

    static void pick(QComboBox *box, const QString &action) { typeInto(box->lineEdit(), action); }

    QString typeSetRow() const
    {
        const DbTable &t = system_->typeSet;
        return t.text("HType") + QLatin1Char('/') + t.text("Rnd") + QLatin1Char('/') +
               t.text("Opps");
    }

    QString stored(const QString &table, const QString &keys, const QVariantList &values,
                   const QString &field) const
    {
        return storedText(system_->path, table, keys, values, field);
    }

private Q_SLOTS:
    void init()
    {
        system_ = std::make_unique<TemporarySystem>();
        prompts_ = std::make_unique<ScriptedPrompts>();
    }
    void cleanup()
    {
        editor_.reset();
        prompts_.reset();
        system_.reset();
    }

    void startingHandList()
    {
        openEditor();
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Edit System"));
        QCOMPARE(control<QTabWidget>(QStringLiteral("PageControl"))->currentIndex(), 0);
        QListWidget *hands = list(QStringLiteral("ListBoxPF"));
        QCOMPARE(hands->count(), 169);
        QCOMPARE(hands->item(0)->text(), QStringLiteral("AA"));
        QCOMPARE(hands->item(1)->text(), QStringLiteral("AK suited"));
        QCOMPARE(hands->item(2)->text(), QStringLiteral("AK offsuit"));
        QCOMPARE(hands->item(25)->text(), QStringLiteral("KK"));
        QCOMPARE(hands->item(168)->text(), QStringLiteral("22"));
        QVERIFY(hands->selectedItems().isEmpty());
        // The fields show the row the table stands on.
        QCOMPARE(system_->handSet.currentRow(), 0);
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFCl"))->currentText(),
                 QStringLiteral("Check/Fold"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFCl"))->count(), 7);
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFCl"))->itemText(6),
                 QStringLiteral("Raise All-In"));
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
        QCOMPARE(control<QTabWidget>(QStringLiteral("PageControl"))->tabText(page), title);
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

        QStringList captions;
        for (const QLabel *label :
             control<QWidget>(QStringLiteral("TabSheet") + title)->findChildren<QLabel *>())
            captions.append(label->text());
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

    // Choosing AK offsuit shows its actions; a change to one of them is stored when KK is
    // chosen next, before KK is shown.
    void choosingHandsShowsAndStores()
    {
        QVERIFY(changeField(system_->handSet, kHand, {"AK offsuit"}, "OppR2", "Raise 400%"));
        QVERIFY(changeField(system_->handSet, kHand, {"KK"}, "OppAI", "Raise All-In"));
        openEditor();
        QListWidget *hands = list(QStringLiteral("ListBoxPF"));
        choose(hands, QStringLiteral("AK offsuit"));
        QCOMPARE(system_->handSet.text("Hand"), QStringLiteral("AK offsuit"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFR2"))->currentText(),
                 QStringLiteral("Raise 400%"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFAI"))->currentText(),
                 QStringLiteral("Check/Fold"));

        pick(combo(QStringLiteral("DBComboBoxPFR1")), QStringLiteral("Raise 800%"));
        QCOMPARE(stored("PreFlop", kHand, {"AK offsuit"}, "OppR1"), QStringLiteral("Check/Fold"));
        choose(hands, QStringLiteral("KK"));
        QCOMPARE(stored("PreFlop", kHand, {"AK offsuit"}, "OppR1"), QStringLiteral("Raise 800%"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFR1"))->currentText(),
                 QStringLiteral("Check/Fold"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFAI"))->currentText(),
                 QStringLiteral("Raise All-In"));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // A typed action is stored as typed, up to the twelve characters the field holds.
    void typedActionStoredUnchanged()
    {
        openEditor();
        choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("AA"));
        QComboBox *call = combo(QStringLiteral("DBComboBoxPFCl"));
        QCOMPARE(call->lineEdit()->maxLength(), 12);
        pick(call, QStringLiteral("limp in"));
        QTest::mouseClick(control<QPushButton>(QStringLiteral("BitBtnOK")), Qt::LeftButton);
        QCOMPARE(editor_->result(), int(QDialog::Accepted));
        QCOMPARE(stored("PreFlop", kHand, {"AA"}, "OppCl"), QStringLiteral("limp in"));
    }

    void thresholds_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("errors");
        const QStringList none;
        QTest::newRow("Flop HitV 0") << 1 << "HitV"
                                     << "0"
                                     << "1"
                                     << "Turn (%) < 1" << none;
        QTest::newRow("Flop HitV cleared") << 1 << "HitV"
                                           << ""
                                           << "1"
                                           << "Turn (%) < 1" << none;
        QTest::newRow("Flop HitV 150") << 1 << "HitV"
                                       << "150"
                                       << "99"
                                       << "Turn (%) < 99" << none;
        QTest::newRow("Flop HitV 35") << 1 << "HitV"
                                      << "35"
                                      << "35"
                                      << "Turn (%) < 35" << none;
        QTest::newRow("Turn HitV 35") << 2 << "HitV"
                                      << "35"
                                      << "35"
                                      << "River (%) < 35" << none;
        QTest::newRow("River HitV 35") << 3 << "HitV"
                                       << "35"
                                       << "35"
                                       << "You (%) < 35" << none;
        QTest::newRow("Flop HgrV 35") << 1 << "HgrV"
                                      << "35"
                                      << "35"
                                      << "Higher (%) < 35" << none;
        QTest::newRow("River HgrV 99") << 3 << "HgrV"
                                       << "99"
                                       << "99"
                                       << "Higher (%) < 99" << none;
        QTest::newRow("River HgrV 100") << 3 << "HgrV"
                                        << "100"
                                        << "99"
                                        << "Higher (%) < 99" << none;
        QTest::newRow("Turn HgrV -5")
            << 2 << "HgrV"
            << "-5"
            << "1"
            << "Higher (%) < 1" << QStringList{"'-' is not a valid integer value"};
        QTest::newRow("Flop HitV 3.5") << 1 << "HitV"
                                       << "3.5"
                                       << "3.5"
                                       << "Turn (%) < 3"
                                       << QStringList{"'3.' is not a valid integer value",
                                                      "'3.5' is not a valid integer value"};
    }
    void thresholds()
    {
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, caption);
        QFETCH(QStringList, errors);
        openEditor();
        chooseRound(page, QStringLiteral("2 Pair"), QStringLiteral("Raise 100%"));
        const QString l = pageLetter(page);
        QLineEdit *threshold = edit(QStringLiteral("DBEdit%1%2").arg(l, field));
        typeInto(threshold, typed);
        QCOMPARE(threshold->text(), shown);
        const QString label =
            field == QStringLiteral("HitV") ? QStringLiteral("HitS") : QStringLiteral("HgrS");
        QCOMPARE(control<QLabel>(QStringLiteral("Label%1%2").arg(l, label))->text(), caption);
        QCOMPARE(prompts_->texts(), errors);

        QTest::mouseClick(control<QPushButton>(QStringLiteral("BitBtnOK")), Qt::LeftButton);
        const QVariantList row = {"2 Pair", systemRounds().at(page - 1), "Raise 100%"};
        bool whole = false;
        shown.toInt(&whole);
        if (whole) {
            QVERIFY(!editor_->isVisible());
            QCOMPARE(stored("FTR", kKeys, row, field), shown);
        } else {
            // What is no whole number is not stored; the dialog stays open to correct it.
            QVERIFY(editor_->isVisible());
            QCOMPARE(prompts_->messages.size(), errors.size() + 1);
            QCOMPARE(stored("FTR", kKeys, row, field), QStringLiteral("50"));
        }
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
        // A page without both selections leaves the table where it stands.
        showPage(2);
        QCOMPARE(typeSetRow(), QStringLiteral("Flush/Flop/Call"));
        QCOMPARE(edit(QStringLiteral("DBEditTHitV"))->text(), QStringLiteral("50"));
        chooseRound(2, QStringLiteral("Flush"), QStringLiteral("Call"));
        QCOMPARE(typeSetRow(), QStringLiteral("Flush/Turn/Call"));
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
        QVERIFY(
            changeField(system_->typeSet, kKeys, {"3 Kind", "Flop", "Call"}, "HType", "3 kind"));
        QVERIFY(
            changeField(system_->typeSet, kKeys, {"3 kind", "Flop", "Call"}, "HitE", "Raise 200%"));
        QVERIFY(changeField(system_->handSet, kHand, {"T9 suited"}, "Hand", "t9 SUITED"));
        openEditor();
        chooseRound(1, QStringLiteral("3 Kind"), QStringLiteral("Call"));
        QCOMPARE(typeSetRow(), QStringLiteral("3 kind/Flop/Call"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxFHitE"))->currentText(),
                 QStringLiteral("Raise 200%"));
        showPage(0);
        choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("T9 suited"));
        QCOMPARE(system_->handSet.text("Hand"), QStringLiteral("t9 SUITED"));
    }

    // An entry without a row leaves the fields on the row shown before.
    void entryWithoutRowMovesNothing()
    {
        QVERIFY(changeField(system_->handSet, kHand, {"AK offsuit"}, "Hand", "gone"));
        QVERIFY(changeField(system_->handSet, kHand, {"KK"}, "OppCl", "Raise 100%"));
        openEditor();
        QListWidget *hands = list(QStringLiteral("ListBoxPF"));
        choose(hands, QStringLiteral("KK"));
        choose(hands, QStringLiteral("AK offsuit"));
        QCOMPARE(system_->handSet.text("Hand"), QStringLiteral("KK"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFCl"))->currentText(),
                 QStringLiteral("Raise 100%"));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // All three round pages show, and edit, the one current row of FTR.
    void roundPagesShareTheRow()
    {
        openEditor();
        chooseRound(1, QStringLiteral("3 Kind"), QStringLiteral("Call"));
        typeInto(edit(QStringLiteral("DBEditFHitV")), QStringLiteral("35"));
        pick(combo(QStringLiteral("DBComboBoxFHitE")), QStringLiteral("Raise 200%"));
        showPage(3);
        QCOMPARE(edit(QStringLiteral("DBEditRHitV"))->text(), QStringLiteral("35"));
        QCOMPARE(control<QLabel>(QStringLiteral("LabelRHitS"))->text(),
                 QStringLiteral("You (%) < 35"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxRHitE"))->currentText(),
                 QStringLiteral("Raise 200%"));
        // Leaving the row stores both changes.
        showPage(1);
        choose(list(QStringLiteral("ListBoxFO")), QStringLiteral("Check"));
        const QVariantList row = {"3 Kind", "Flop", "Call"};
        QCOMPARE(stored("FTR", kKeys, row, "HitV"), QStringLiteral("35"));
        QCOMPARE(stored("FTR", kKeys, row, "HitE"), QStringLiteral("Raise 200%"));
        QCOMPARE(edit(QStringLiteral("DBEditFHitV"))->text(), QStringLiteral("50"));
        QCOMPARE(control<QLabel>(QStringLiteral("LabelFHitS"))->text(),
                 QStringLiteral("Turn (%) < 50"));
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
        chooseRound(2, QStringLiteral("Straight"), QStringLiteral("Raise 800%"));
        pick(combo(QStringLiteral("DBComboBoxTHgrL")), QStringLiteral("Check/Call"));
        typeInto(edit(QStringLiteral("DBEditTHgrV")), QStringLiteral("70"));

        if (how == QStringLiteral("OK"))
            QTest::mouseClick(control<QPushButton>(QStringLiteral("BitBtnOK")), Qt::LeftButton);
        else if (how == QStringLiteral("Cancel"))
            QTest::mouseClick(control<QPushButton>(QStringLiteral("BitBtnCancel")), Qt::LeftButton);
        else
            QTest::keyClick(editor_.get(), Qt::Key_Escape);

        QVERIFY(!editor_->isVisible());
        QCOMPARE(editor_->result(), int(kept ? QDialog::Accepted : QDialog::Rejected));
        QVERIFY(!system_->handSet.isEditing());
        QVERIFY(!system_->typeSet.isEditing());
        QCOMPARE(stored("PreFlop", kHand, {"QQ"}, "OppR8"), QStringLiteral("Raise All-In"));
        const QVariantList row = {"Straight", "Turn", "Raise 800%"};
        QCOMPARE(stored("PreFlop", kHand, {"AA"}, "OppCl"),
                 kept ? QStringLiteral("Raise 100%") : QStringLiteral("Check/Fold"));
        QCOMPARE(stored("FTR", kKeys, row, "HgrL"),
                 kept ? QStringLiteral("Check/Call") : QStringLiteral("Check/Fold"));
        QCOMPARE(stored("FTR", kKeys, row, "HgrV"),
                 kept ? QStringLiteral("70") : QStringLiteral("50"));
        QCOMPARE(system_->handSet.text("OppCl"),
                 kept ? QStringLiteral("Raise 100%") : QStringLiteral("Check/Fold"));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // A system closed while the dialog is open: OK stores nothing and closes.
    void okWithoutSystem()
    {
        openEditor();
        system_->connection.close();
        QTest::mouseClick(control<QPushButton>(QStringLiteral("BitBtnOK")), Qt::LeftButton);
        QCOMPARE(editor_->result(), int(QDialog::Accepted));
        QVERIFY(prompts_->messages.isEmpty());
    }

    void layout()
    {
        openEditor();
        QVERIFY(control<QPushButton>(QStringLiteral("BitBtnOK"))->isDefault());
        QCOMPARE(editor_->minimumSize(), editor_->maximumSize());
        QVERIFY(editor_->width() >= TFormEditSystem::kClientWidth);
        QVERIFY(editor_->height() >= TFormEditSystem::kClientHeight);
        auto *pages = control<QTabWidget>(QStringLiteral("PageControl"));
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QWidget *sheet = pages->widget(page);
            QVERIFY(!sheet->accessibleName().isEmpty());
            // Every control lies whole inside its page.
            for (QWidget *child : sheet->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (!child->isVisible())
                    continue;
                QVERIFY2(sheet->rect().contains(child->geometry()),
                         qPrintable(child->objectName() + QLatin1Char(' ') + pages->tabText(page)));
            }
        }
        for (QWidget *child : editor_->findChildren<QWidget *>()) {
            if (qobject_cast<QComboBox *>(child) || qobject_cast<QListWidget *>(child) ||
                qobject_cast<QPushButton *>(child) ||
                (qobject_cast<QLineEdit *>(child) && child->objectName().startsWith("DBEdit")))
                QVERIFY2(!child->accessibleName().isEmpty(), qPrintable(child->objectName()));
        }
    }
};

QTEST_MAIN(TestEditSystem)
#include "tst_editsystem.moc"
