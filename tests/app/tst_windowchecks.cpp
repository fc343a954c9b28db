// SPDX-License-Identifier: GPL-3.0-or-later
// The window checks themselves: each fault they exist for is built on purpose into a small
// window and must be reported, and the same window without the fault must pass, so a check that
// silently finds nothing cannot go unnoticed.
#include "app/accessibleroles.h"
#include "panel/stringgrid.h"
#include "windowchecks.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace {

using Check = QStringList (*)(const QWidget *);

struct TestWindow
{
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QVBoxLayout *layout = new QVBoxLayout(window.get());

    TestWindow()
    {
        window->setObjectName(QStringLiteral("TestWindow"));
        window->setWindowTitle(QStringLiteral("Test window"));
    }
    template <typename W> W *add(W *widget)
    {
        layout->addWidget(widget);
        return widget;
    }
    void show()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
};

// Builds one case: `faulty` puts the fault in, or leaves the same control sound.
using Build = std::function<void(TestWindow &, bool faulty)>;

QStringList contrastOnly(const QWidget *window)
{
    return checkContrast(window);
}

QStandardItemModel *cardListModel(QObject *parent, const QString &list)
{
    auto *model = new QStandardItemModel(1, 1, parent);
    auto *item = new QStandardItem(list);
    item->setData(true, kCardListRole);
    item->setToolTip(list);
    QStringList names;
    for (const QString &code : list.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        names << code;
    item->setData(names.join(QStringLiteral(", ")), Qt::AccessibleTextRole);
    model->setItem(0, 0, item);
    return model;
}

} // namespace

Q_DECLARE_METATYPE(Build)
Q_DECLARE_METATYPE(Check)

class TestWindowChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installAccessibleRoles(); }

    void faultsAreFound_data()
    {
        QTest::addColumn<Build>("build");
        QTest::addColumn<Check>("check");
        QTest::addColumn<QString>("reported"); // a word of the report
        const Check texts = &checkTextsFit;
        const Check speech = &checkAccessibility;
        const Check contrast = &contrastOnly;

        QTest::newRow("label narrower than its text") << Build([](TestWindow &w, bool faulty) {
            auto *label = w.add(new QLabel(QStringLiteral("Hold'em Tallowby")));
            label->setObjectName(QStringLiteral("LabelName"));
            if (faulty)
                label->setFixedWidth(40);
        }) << texts << "LabelName";
        QTest::newRow("push button narrower than its caption")
            << Build([](TestWindow &w, bool faulty) {
                   auto *button = w.add(new QPushButton(QStringLiteral("Reset Card")));
                   button->setObjectName(QStringLiteral("ButtonClearCard"));
                   if (faulty)
                       button->setFixedWidth(30);
               })
            << texts << "ButtonClearCard";
        QTest::newRow("radio button narrower than its caption")
            << Build([](TestWindow &w, bool faulty) {
                   auto *radio = w.add(new QRadioButton(QStringLiteral("River")));
                   radio->setObjectName(QStringLiteral("RadioButtonRiver"));
                   if (faulty)
                       radio->setFixedWidth(30);
               })
            << texts << "Rive";
        QTest::newRow("combo box narrower than an item") << Build([](TestWindow &w, bool faulty) {
            auto *combo = w.add(new QComboBox);
            combo->setObjectName(QStringLiteral("ComboBoxOpps"));
            combo->addItems({QStringLiteral("Call"), QStringLiteral("Raise All-In")});
            combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            if (faulty)
                combo->setFixedWidth(60);
        }) << texts << "Raise All-In";
        QTest::newRow("line edit narrower than its text") << Build([](TestWindow &w, bool faulty) {
            auto *edit = w.add(new QLineEdit(QStringLiteral("-1234.5")));
            edit->setObjectName(QStringLiteral("EditProfit"));
            edit->setFixedWidth(faulty ? 30 : 120);
        }) << texts << "EditProfit";
        QTest::newRow("spin box narrower than its largest value")
            << Build([](TestWindow &w, bool faulty) {
                   auto *spin = w.add(new QSpinBox);
                   spin->setObjectName(QStringLiteral("SpinEditDY"));
                   spin->setRange(1, 20999);
                   spin->setValue(1);
                   if (faulty)
                       spin->setFixedWidth(spin->sizeHint().width() - 20);
               })
            << texts << "20";
        QTest::newRow("label over a button") << Build([](TestWindow &w, bool faulty) {
            auto *label = w.add(new QLabel(QStringLiteral("Database:")));
            label->setObjectName(QStringLiteral("StatusPanelDatabase"));
            auto *button = w.add(new QPushButton(QStringLiteral("New Game")));
            button->setObjectName(QStringLiteral("ButtonNewGame"));
            if (faulty) {
                w.layout->removeWidget(button);
                button->move(label->pos());
            }
        }) << texts << "lie over each other";
        QTest::newRow("group box narrower than its title") << Build([](TestWindow &w, bool faulty) {
            auto *box = w.add(new QGroupBox(QStringLiteral("Result of the game")));
            box->setObjectName(QStringLiteral("GroupBoxResult"));
            box->setMinimumHeight(40);
            if (faulty)
                box->setFixedWidth(50);
        }) << texts << "GroupBoxResult";
        QTest::newRow("grid cell narrower than its text") << Build([](TestWindow &w, bool faulty) {
            auto *grid = w.add(new QTableView);
            grid->setObjectName(QStringLiteral("DBGridGHistory"));
            auto *model = new QStandardItemModel(1, 1, grid);
            model->setItem(0, 0, new QStandardItem(QStringLiteral("Straight Flush. T, 9")));
            model->setHorizontalHeaderLabels({QStringLiteral("Hand")});
            grid->setModel(model);
            grid->setColumnWidth(0, faulty ? 40 : 220);
            grid->setMinimumWidth(260);
        }) << texts << "Straight Flush";
        QTest::newRow("grid narrower than its columns") << Build([](TestWindow &w, bool faulty) {
            auto *grid = w.add(new QTableView);
            grid->setObjectName(QStringLiteral("DBGridHHistory"));
            auto *model = new QStandardItemModel(1, 2, grid);
            model->setItem(0, 0, new QStandardItem(QStringLiteral("Two Pair")));
            model->setItem(0, 1, new QStandardItem(QStringLiteral("Win")));
            grid->setModel(model);
            grid->setColumnWidth(0, 100);
            grid->setColumnWidth(1, 60);
            grid->setFixedWidth(faulty ? 120 : 220);
        }) << texts << "wider than the view";
        QTest::newRow("header narrower than its title") << Build([](TestWindow &w, bool faulty) {
            auto *grid = w.add(new QTableView);
            grid->setObjectName(QStringLiteral("StringGrid"));
            auto *model = new QStandardItemModel(1, 1, grid);
            model->setHorizontalHeaderLabels({QStringLiteral("Higher %")});
            grid->setModel(model);
            grid->horizontalHeader()->setMinimumSectionSize(1);
            grid->setColumnWidth(0, faulty ? 20 : 120);
        }) << texts << "Higher %";
        QTest::newRow("card list cut without its count") << Build([](TestWindow &w, bool faulty) {
            auto *grid = w.add(new QTableView);
            grid->setObjectName(QStringLiteral("StringGrid"));
            grid->setItemDelegate(new GridCellDelegate(grid));
            const QString list = QStringLiteral(" 2c 2d 2h 2s 3c 3d 3h 3s ");
            QStandardItemModel *model = cardListModel(grid, list);
            // A tooltip with only part of the list is the fault here.
            if (faulty)
                model->item(0, 0)->setToolTip(QStringLiteral(" 2c 2d "));
            grid->setModel(model);
            grid->setColumnWidth(0, 80);
        }) << texts << "tooltip";
        QTest::newRow("dark text on a dark fill") << Build([](TestWindow &w, bool faulty) {
            auto *edit = w.add(new QLineEdit(QStringLiteral("19.1")));
            edit->setObjectName(QStringLiteral("EditHandOdds"));
            QPalette colours = edit->palette();
            colours.setColor(QPalette::Base, QColor(30, 30, 30));
            colours.setColor(QPalette::Text, faulty ? QColor(70, 70, 70) : Qt::white);
            edit->setPalette(colours);
        }) << contrast << "EditHandOdds";
        QTest::newRow("light text on a light fill") << Build([](TestWindow &w, bool faulty) {
            auto *label = w.add(new QLabel(QStringLiteral("0")));
            label->setObjectName(QStringLiteral("LabelOuts"));
            label->setAutoFillBackground(true);
            QPalette colours = label->palette();
            colours.setColor(QPalette::Window, QColor(192, 220, 192));
            colours.setColor(QPalette::WindowText,
                             faulty ? QColor(230, 230, 230) : QColor(Qt::black));
            label->setPalette(colours);
        }) << contrast << "LabelOuts";
        QTest::newRow("control without a name") << Build([](TestWindow &w, bool faulty) {
            auto *edit = w.add(new QLineEdit);
            edit->setObjectName(QStringLiteral("EditCall"));
            if (!faulty)
                edit->setAccessibleName(QStringLiteral("Call"));
        }) << speech << "EditCall";
        QTest::newRow("name said twice") << Build([](TestWindow &w, bool faulty) {
            auto *button = w.add(new QPushButton(QStringLiteral("Ace of spades")));
            button->setObjectName(QStringLiteral("ImageAs"));
            button->setToolTip(faulty ? QStringLiteral("Ace of spades")
                                      : QStringLiteral("Keys A s"));
        }) << speech << "twice";
        QTest::newRow("field not named by its label") << Build([](TestWindow &w, bool faulty) {
            auto *label = w.add(new QLabel(QStringLiteral("Pot + &Bets:")));
            auto *edit = w.add(new QLineEdit(QStringLiteral("120")));
            edit->setObjectName(QStringLiteral("EditPot"));
            label->setBuddy(edit);
            // A name of the field's own that is only its value says nothing.
            if (faulty)
                edit->setAccessibleName(QStringLiteral("120"));
        }) << speech << "its label says";
        QTest::newRow("table with a column it does not show")
            << Build([](TestWindow &w, bool faulty) {
                   auto *grid = w.add(new QTableView);
                   grid->setObjectName(QStringLiteral("DBGridHHistory"));
                   grid->setAccessibleName(QStringLiteral("Hand History"));
                   grid->setModel(new QStandardItemModel(1, 3, grid));
                   if (faulty)
                       grid->setColumnHidden(1, true);
               })
            << speech << "columns";
        QTest::newRow("window announced as a filler") << Build([](TestWindow &w, bool faulty) {
            // A plain widget window is a filler to Qt; the program's factory makes it a
            // window, unless the window is not a top-level one at all.
            if (faulty)
                w.window->setAccessibleName(QStringLiteral("Another caption"));
        }) << speech << "caption";
    }

    void faultsAreFound()
    {
        QFETCH(Build, build);
        QFETCH(Check, check);
        QFETCH(QString, reported);
        {
            TestWindow sound;
            build(sound, false);
            sound.show();
            const QStringList faults = check(sound.window.get());
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        }
        TestWindow faulty;
        build(faulty, true);
        faulty.show();
        const QStringList faults = check(faulty.window.get());
        QVERIFY2(!faults.isEmpty(), "the fault went unreported");
        QVERIFY2(faults.join(QLatin1Char('\n')).contains(reported),
                 qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void contrastOfKnownColours_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("white on white") << QColor(Qt::white) << QColor(Qt::white) << 1.0;
        QTest::newRow("white on the table's green")
            << QColor(Qt::white) << QColor(0, 128, 0) << 5.14;
        QTest::newRow("black on money green")
            << QColor(Qt::black) << QColor(192, 220, 192) << 14.24;
    }

    void contrastOfKnownColours()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(contrastOf(a, b) - ratio) < 0.05,
                 qPrintable(QString::number(contrastOf(a, b))));
        QVERIFY(qAbs(contrastOf(b, a) - ratio) < 0.05);
    }
};

QTEST_MAIN(TestWindowChecks)
#include "tst_windowchecks.moc"
