// SPDX-License-Identifier: GPL-3.0-or-later
// The system editor's bulk changes, driven offscreen and read back from the file: the pre-flop
// chart (its layout, painting by click, drag and Shift+click, undo, agreement with the list
// page, readable colours and spoken names) and "Apply to..." on the round pages with its undo.
#include "editorfixture.h"

#include "panel/contrast.h"
#include "systems/actioncolours.h"
#include "systems/preflopchartmodel.h"
#include "systems/systemvocabulary.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>
#include <QToolButton>

#include <cmath>

namespace {

// Relative luminance and contrast as the accessibility guidelines define them.
double luminance(const QColor &c)
{
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double x = luminance(a) + 0.05;
    const double y = luminance(b) + 0.05;
    return std::max(x, y) / std::min(x, y);
}

const QString kRanks = QStringLiteral("AKQJT98765432");

// The grid cell of a hand: the row of the higher rank for suited hands, of the lower for
// offsuit ones.
QPoint cellOf(const QString &hand)
{
    const int high = int(kRanks.indexOf(hand.at(0)));
    const int low = int(kRanks.indexOf(hand.at(1)));
    if (hand.endsWith(QLatin1String("offsuit")))
        return {high, low}; // x = column, y = row
    return {low, high};
}

} // namespace

class TestEditSystemChart : public EditorTest
{
    Q_OBJECT

private:
    QTableView *grid() const { return control<QTableView>(QStringLiteral("TableViewChart")); }

    void openChart(int opponentsColumn = 1)
    {
        openEditor();
        showPage(TFormEditSystem::ChartPage);
        combo(QStringLiteral("ComboBoxChartOpps"))->setCurrentIndex(opponentsColumn - 1);
    }

    void paintWith(const QString &action)
    {
        const int index = int(playerActions().indexOf(action));
        QTest::mouseClick(control<QToolButton>(QStringLiteral("ToolButtonChart%1").arg(index)),
                          Qt::LeftButton);
    }

    QPoint centre(const QString &hand) const
    {
        const QPoint cell = cellOf(hand);
        return grid()->visualRect(grid()->model()->index(cell.y(), cell.x())).center();
    }

    void click(const QString &hand, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers, centre(hand));
    }

    // Press on the first hand, move across to the last with the button held, release there.
    void drag(const QString &from, const QString &to)
    {
        QWidget *viewport = grid()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, centre(from));
        const QPoint start = centre(from);
        const QPoint end = centre(to);
        for (int step = 1; step <= 4; ++step) {
            const QPointF at = start + (end - start) * step / 4.0;
            QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    }

    void undo() { QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier); }

private Q_SLOTS:
    void init() { startSystem(); }
    void cleanup() { stopSystem(); }

    // Ace first, pairs on the diagonal, suited hands above it and offsuit hands below.
    void layoutOfTheGrid_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hand");
        QTest::newRow("top left") << 0 << 0 << "AA"
                                  << "AA";
        QTest::newRow("right of AA") << 0 << 1 << "AKs"
                                     << "AK suited";
        QTest::newRow("below AA") << 1 << 0 << "AKo"
                                  << "AK offsuit";
        QTest::newRow("top right") << 0 << 12 << "A2s"
                                   << "A2 suited";
        QTest::newRow("bottom left") << 12 << 0 << "A2o"
                                     << "A2 offsuit";
        QTest::newRow("bottom right") << 12 << 12 << "22"
                                      << "22";
        QTest::newRow("middle pair") << 6 << 6 << "88"
                                     << "88";
        QTest::newRow("J4 suited") << 3 << 10 << "J4s"
                                   << "J4 suited";
        QTest::newRow("J4 offsuit") << 10 << 3 << "J4o"
                                    << "J4 offsuit";
        QTest::newRow("T9 suited") << 4 << 5 << "T9s"
                                   << "T9 suited";
    }
    void layoutOfTheGrid()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, hand);
        QCOMPARE(chartCellText(row, column), text);
        QCOMPARE(chartHandName(row, column), hand);
        QCOMPARE(cellOf(hand), QPoint(column, row));
        QVERIFY(startingHandNames().contains(hand));
    }

    // Every hand appears once, so the chart and the list cover the same 169 rows.
    void gridCoversEveryHand()
    {
        QStringList hands;
        for (int row = 0; row < 13; ++row)
            for (int column = 0; column < 13; ++column)
                hands.append(chartHandName(row, column));
        hands.sort();
        QStringList expected = startingHandNames();
        expected.sort();
        QCOMPARE(hands, expected);
    }

    // Painting: a click, a drag across a rectangle of cells, a Shift+click extending the
    // last choice; the rows in the file follow, the other columns and hands do not.
    void painting_data()
    {
        QTest::addColumn<int>("opponents"); // 1 Call .. 6 Raise All-In
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QStringList>("painted");
        QTest::addColumn<QStringList>("untouched");
        QTest::newRow("click AA, Call, Raise 200%")
            << 1 << "Raise 200%"
            << "click AA" << QStringList{"AA"} << QStringList{"KK", "AK suited", "AK offsuit"};
        QTest::newRow("click AK offsuit, All-In, Check/Call")
            << 6 << "Check/Call"
            << "click AK offsuit" << QStringList{"AK offsuit"} << QStringList{"AK suited", "AA"};
        QTest::newRow("drag AK suited to AJ suited")
            << 2 << "Raise 100%"
            << "drag AK suited AJ suited" << QStringList{"AK suited", "AQ suited", "AJ suited"}
            << QStringList{"AT suited", "AK offsuit", "KQ suited"};
        QTest::newRow("drag AA to KQ suited, a square")
            << 3 << "Raise All-In"
            << "drag AA KQ suited"
            << QStringList{"AA", "AK suited", "AK offsuit", "KK", "AQ suited", "KQ suited"}
            << QStringList{"QQ", "AQ offsuit", "KQ offsuit"};
        QTest::newRow("Shift+click from 22 to 55")
            << 1 << "Check/Call"
            << "click 22, shift 55"
            << QStringList{"22", "33", "44", "55", "32 offsuit", "54 suited"}
            << QStringList{"66", "62 offsuit"};
    }
    void painting()
    {
        QFETCH(int, opponents);
        QFETCH(QString, action);
        QFETCH(QString, gesture);
        QFETCH(QStringList, painted);
        QFETCH(QStringList, untouched);
        openChart(opponents);
        paintWith(action);
        const QString column = preFlopColumnFor(opponents);
        const QStringList words = gesture.split(QLatin1Char(' '));
        if (words.at(0) == QLatin1String("drag")) {
            const QString from = words.mid(1, words.size() == 4 ? 1 : 2).join(' ');
            const QString to = words.mid(words.size() == 4 ? 2 : 3).join(' ');
            drag(from, to);
        } else if (gesture.contains(QLatin1String("shift"))) {
            click(QStringLiteral("22"));
            click(QStringLiteral("55"), Qt::ShiftModifier);
        } else {
            click(gesture.mid(6));
        }
        for (const QString &hand : painted) {
            QCOMPARE(storedHand(hand, column), action);
            const QPoint cell = cellOf(hand);
            const QModelIndex index = grid()->model()->index(cell.y(), cell.x());
            QCOMPARE(index.data(PreFlopChartModel::ActionRole).toString(), action);
            QCOMPARE(index.data(Qt::BackgroundRole).value<QColor>(), actionColours(action).fill);
        }
        for (const QString &hand : untouched)
            QCOMPARE(storedHand(hand, column), QStringLiteral("Check/Fold"));
        // Other opponents' actions keep their advice.
        const QString other = preFlopColumnFor(opponents == 1 ? 2 : 1);
        for (const QString &hand : painted)
            QCOMPARE(storedHand(hand, other), QStringLiteral("Check/Fold"));
        QVERIFY(prompts_->messages.isEmpty());
    }

    // Ctrl+Z undoes the last stroke, then the one before, while the dialog is open.
    void undoingStrokes()
    {
        openChart(1);
        paintWith(QStringLiteral("Raise 100%"));
        drag(QStringLiteral("AA"), QStringLiteral("AQ suited"));
        paintWith(QStringLiteral("Check/Call"));
        click(QStringLiteral("AK suited"));
        click(QStringLiteral("KK"));
        QCOMPARE(storedHand("AK suited", "OppCl"), QStringLiteral("Check/Call"));
        QCOMPARE(storedHand("KK", "OppCl"), QStringLiteral("Check/Call"));
        QCOMPARE(storedHand("AQ suited", "OppCl"), QStringLiteral("Raise 100%"));
        undo();
        QCOMPARE(storedHand("KK", "OppCl"), QStringLiteral("Check/Fold"));
        QCOMPARE(storedHand("AK suited", "OppCl"), QStringLiteral("Check/Call"));
        undo();
        QCOMPARE(storedHand("AK suited", "OppCl"), QStringLiteral("Raise 100%"));
        QCOMPARE(storedHand("AA", "OppCl"), QStringLiteral("Raise 100%"));
        undo();
        for (const char *hand : {"AA", "AK suited", "AQ suited", "KK", "AK offsuit"})
            QCOMPARE(storedHand(hand, "OppCl"), QStringLiteral("Check/Fold"));
        QVERIFY(!editor_->canUndo());
        undo(); // nothing left: nothing happens
        QVERIFY(prompts_->messages.isEmpty());
    }

    // The list page and the chart show the same stored rows, both ways.
    void pagesAgree()
    {
        openEditor();
        choose(list(QStringLiteral("ListBoxPF")), QStringLiteral("KQ offsuit"));
        pick(combo(QStringLiteral("DBComboBoxPFR2")), QStringLiteral("Raise 800%"));
        showPage(TFormEditSystem::ChartPage);
        combo(QStringLiteral("ComboBoxChartOpps"))->setCurrentIndex(2); // Raise 200%
        const QPoint cell = cellOf(QStringLiteral("KQ offsuit"));
        QCOMPARE(grid()->model()->index(cell.y(), cell.x()).data(PreFlopChartModel::ActionRole),
                 QVariant(QStringLiteral("Raise 800%")));
        paintWith(QStringLiteral("Check/Call"));
        click(QStringLiteral("KQ offsuit"));
        showPage(TFormEditSystem::PreFlopPage);
        QCOMPARE(label(QStringLiteral("LabelPFRow"))->text(), QStringLiteral("KQ offsuit"));
        QCOMPARE(combo(QStringLiteral("DBComboBoxPFR2"))->currentText(),
                 QStringLiteral("Check/Call"));
        clickOk();
        QCOMPARE(storedHand("KQ offsuit", "OppR2"), QStringLiteral("Check/Call"));
    }

    // A stroke the file refuses changes nothing, and there is nothing to undo.
    void strokeOnALockedFile()
    {
        openChart(1);
        paintWith(QStringLiteral("Raise 400%"));
        {
            FileLock lock(system_->path);
            QVERIFY(lock.locked());
            drag(QStringLiteral("QQ"), QStringLiteral("JJ"));
        }
        QCOMPARE(prompts_->messages.size(), 1);
        for (const char *hand : {"QQ", "QJ suited", "QJ offsuit", "JJ"})
            QCOMPARE(storedHand(hand, "OppCl"), QStringLiteral("Check/Fold"));
        QVERIFY(!editor_->canUndo());
        const QPoint cell = cellOf(QStringLiteral("QQ"));
        QCOMPARE(grid()->model()->index(cell.y(), cell.x()).data(PreFlopChartModel::ActionRole),
                 QVariant(QStringLiteral("Check/Fold")));
    }

    // Text reads at a contrast of 4.5:1 or more on every fill, whatever the palette; the
    // legend names the seven actions.
    void coloursAreReadable_data()
    {
        QTest::addColumn<QString>("action");
        for (const QString &action : playerActions())
            QTest::newRow(qPrintable(action)) << action;
        QTest::newRow("typed text") << "limp in";
        QTest::newRow("no row") << "";
    }
    void coloursAreReadable()
    {
        QFETCH(QString, action);
        const ActionColours colours = actionColours(action);
        QVERIFY2(contrast(colours.fill, colours.text) >= 4.5,
                 qPrintable(QString::number(contrast(colours.fill, colours.text))));
        QCOMPARE(contrastRatio(colours.fill, colours.text), contrast(colours.fill, colours.text));
        for (const QString &other : playerActions()) {
            if (other != action && playerActions().contains(action))
                QVERIFY(actionColours(other).fill != colours.fill);
        }
    }

    // Under a dark palette the painted cells keep their colours, so their text stays readable.
    void darkPaletteKeepsTheColours()
    {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(40, 40, 40));
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::WindowText, Qt::white);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(dark);
        openChart(1);
        paintWith(QStringLiteral("Raise 100%"));
        click(QStringLiteral("AA"));
        grid()->clearSelection();
        const QImage shot = grid()->grab().toImage();
        QApplication::setPalette(before);
        for (const QString &hand : {QStringLiteral("AA"), QStringLiteral("72 offsuit")}) {
            const QPoint cell = cellOf(hand);
            const QRect rect = grid()->visualRect(grid()->model()->index(cell.y(), cell.x()));
            // A pixel at the left edge of the cell, clear of the text and the grid lines.
            const QPoint corner = rect.topLeft() + QPoint(2, rect.height() / 2) +
                                  grid()->viewport()->mapTo(grid(), QPoint(0, 0));
            const QString action = hand == QLatin1String("AA") ? QStringLiteral("Raise 100%")
                                                               : QStringLiteral("Check/Fold");
            QCOMPARE(shot.pixelColor(corner * shot.devicePixelRatio()), actionColours(action).fill);
        }
    }

    // Every cell has a name a screen reader speaks: the hand and its action.
    void cellsHaveSpokenNames_data()
    {
        QTest::addColumn<QString>("hand");
        QTest::newRow("AA") << "AA";
        QTest::newRow("AK suited") << "AK suited";
        QTest::newRow("72 offsuit") << "72 offsuit";
    }
    void cellsHaveSpokenNames()
    {
        QFETCH(QString, hand);
        openChart(4);
        paintWith(QStringLiteral("Raise 800%"));
        click(hand);
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid());
        QVERIFY(table && table->tableInterface());
        const QPoint cell = cellOf(hand);
        QAccessibleInterface *item = table->tableInterface()->cellAt(cell.y(), cell.x());
        QVERIFY(item);
        QCOMPARE(item->text(QAccessible::Name), hand + QStringLiteral(": Raise 800%"));
    }

    // "Apply to..." copies the row on view to the chosen rows after saying how many change;
    // No changes nothing; Ctrl+Z puts them back.
    void applyTo_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("scope"); // 0 opponents, 1 rounds, 2 both
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("rows");
        QTest::newRow("Flop, every opponents' action") << 1 << 0 << true << 6;
        QTest::newRow("Turn, the other rounds") << 2 << 1 << true << 2;
        QTest::newRow("River, both") << 3 << 2 << true << 20;
        QTest::newRow("Flop, both, answered No") << 1 << 2 << false << 20;
    }
    void applyTo()
    {
        QFETCH(int, page);
        QFETCH(int, scope);
        QFETCH(bool, yes);
        QFETCH(int, rows);
        openEditor();
        const QString round = systemRounds().at(page - 1);
        const QString l = pageLetter(page);
        chooseRound(page, QStringLiteral("Flush"), QStringLiteral("Raise 200%"));
        pick(combo(QStringLiteral("DBComboBox%1HitE").arg(l)), QStringLiteral("Raise All-In"));
        typeInto(edit(QStringLiteral("DBEdit%1HgrV").arg(l)), QStringLiteral("30"));
        if (yes)
            prompts_->answers.enqueue(Prompts::Answer::Yes);
        control<QAction>(QStringLiteral("Action%1ApplyTo%2").arg(l).arg(scope))->trigger();

        QCOMPARE(prompts_->messages.size(), 1);
        QCOMPARE(prompts_->messages.front().kind, ScriptedPrompts::Message::Question);
        const QString question = prompts_->messages.front().text;
        QVERIFY2(question.contains(QStringLiteral("%1 rows").arg(rows)), qPrintable(question));
        QVERIFY2(question.contains("Flush · " + round + " · Opponents Raise 200%"),
                 qPrintable(question));
        // The row on view is stored either way.
        QCOMPARE(storedRow({"Flush", round, "Raise 200%"}, "HitE"), QStringLiteral("Raise All-In"));

        int changed = 0;
        for (const QString &opponents : opponentsActions()) {
            for (const QString &other : systemRounds()) {
                if (opponents == QLatin1String("Raise 200%") && other == round)
                    continue;
                const bool target = scope == 2 || (scope == 0 && other == round) ||
                                    (scope == 1 && opponents == QLatin1String("Raise 200%"));
                const QVariantList row = {"Flush", other, opponents};
                const bool now = storedRow(row, "HitE") == QLatin1String("Raise All-In");
                QCOMPARE(now, yes && target);
                QCOMPARE(storedRow(row, "HgrV"),
                         yes && target ? QStringLiteral("30") : QStringLiteral("50"));
                changed += now ? 1 : 0;
            }
        }
        QCOMPARE(changed, yes ? rows : 0);
        // Other hand types are never touched.
        QCOMPARE(storedRow({"Straight", round, "Raise 200%"}, "HitE"),
                 QStringLiteral("Check/Call"));
        // The fields still show, and name, the row the copy came from.
        QCOMPARE(typeSetRow(), "Flush/" + round + "/Raise 200%");
        QCOMPARE(combo(QStringLiteral("DBComboBox%1HitE").arg(l))->currentText(),
                 QStringLiteral("Raise All-In"));

        QCOMPARE(editor_->canUndo(), yes);
        QTest::keyClick(list(QStringLiteral("ListBox%1H").arg(l)), Qt::Key_Z, Qt::ControlModifier);
        for (const QString &opponents : opponentsActions()) {
            for (const QString &other : systemRounds()) {
                if (opponents == QLatin1String("Raise 200%") && other == round)
                    continue;
                QCOMPARE(storedRow({"Flush", other, opponents}, "HitE"),
                         QStringLiteral("Check/Call"));
                QCOMPARE(storedRow({"Flush", other, opponents}, "HgrV"), QStringLiteral("50"));
            }
        }
        // Undo leaves the row the user typed into as it was typed.
        QCOMPARE(storedRow({"Flush", round, "Raise 200%"}, "HitE"), QStringLiteral("Raise All-In"));
    }

    // With nothing chosen there is no row to copy; rows that already agree ask nothing.
    void applyToNeedsARowAndAChange()
    {
        openEditor();
        showPage(1);
        QVERIFY(!control<QToolButton>(QStringLiteral("ToolButtonFApplyTo"))->isEnabled());
        chooseRound(1, QStringLiteral("2 Kind"), QStringLiteral("Check"));
        QVERIFY(control<QToolButton>(QStringLiteral("ToolButtonFApplyTo"))->isEnabled());
        control<QAction>(QStringLiteral("ActionFApplyTo2"))->trigger();
        QVERIFY(prompts_->messages.isEmpty());
        QVERIFY(!label(QStringLiteral("LabelFNote"))->text().isEmpty());
        QVERIFY(!editor_->canUndo());
    }
};

QTEST_MAIN(TestEditSystemChart)
#include "tst_editsystemchart.moc"
