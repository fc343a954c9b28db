// SPDX-License-Identifier: GPL-3.0-or-later
// The pot-odds window driven through its real controls: typed keys, round clicks, focus changes
// and the writes the analysis and the read-out reset make from outside.
#include "tools/potodds.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

const QColor kGreen(128, 255, 128);
const QColor kRed(255, 128, 128);
const QColor kCyan(128, 255, 255);
const QColor kMoneyGreen(192, 220, 192);

QColor background(const QWidget *field)
{
    return field->palette().color(QPalette::Base);
}

} // namespace

class TestPotOdds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsEmptyOnTopWithoutButtons();
    void everyControlIsNamedAndFits();
    void workedFigures_data();
    void workedFigures();
    void roundSwitchingKeepsOneCardOddsOnFlop();
    void zeroOutsOnFlopLosesHundredTimesCall();
    void zeroPotKeepsPotOdds();
    void emptiedPotKeepsPotOddsAndProfit();
    void resetInputsZeroesInputsAndKeepsPotOdds();
    void potKeyFilter_data();
    void potKeyFilter();
    void commaAfterDecimalPointEmptiesOutputs();
    void outsWrittenFromOutsideStayUntilFocusLeaves();
    void outsTypedOutOfRangeClampOnLeave_data();
    void outsTypedOutOfRangeClampOnLeave();
    void outsKeysAndNonIntegers();
    void outsArrowsStepWithinRange_data();
    void outsArrowsStepWithinRange();
    void decimalCommaLocale();
    void hidingKeepsFields();

private:
    void type(QLineEdit *edit, const QString &text);
    void typeOuts(const QString &text);
    void clickRound(QRadioButton *round);
    void enter(QRadioButton *round, const QString &outs, const QString &pot, const QString &call);
    void moveFocusAwayFromOuts();

    std::unique_ptr<TFormPotOdds> form;
};

void TestPotOdds::init()
{
    QLocale::setDefault(QLocale::c());
    form = std::make_unique<TFormPotOdds>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void TestPotOdds::cleanup()
{
    form.reset();
    QLocale::setDefault(QLocale::c());
}

// Replaces the whole text, key by key, as a user selecting it and typing would.
void TestPotOdds::type(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

void TestPotOdds::typeOuts(const QString &text)
{
    form->SpinEditOuts->selectAll();
    QTest::keyClicks(form->SpinEditOuts, text);
}

void TestPotOdds::clickRound(QRadioButton *round)
{
    QTest::mouseClick(round, Qt::LeftButton, {}, QPoint(6, round->height() / 2));
    QVERIFY(round->isChecked());
}

void TestPotOdds::enter(QRadioButton *round, const QString &outs, const QString &pot,
                        const QString &call)
{
    clickRound(round);
    typeOuts(outs);
    type(form->EditPot, pot);
    type(form->EditCall, call);
}

void TestPotOdds::moveFocusAwayFromOuts()
{
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->SpinEditOuts->setFocus();
    QTRY_VERIFY(form->SpinEditOuts->hasFocus());
    form->EditPot->setFocus();
    QTRY_VERIFY(form->EditPot->hasFocus());
}

void TestPotOdds::startsEmptyOnTopWithoutButtons()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("Pot Odds Calculator"));
    QCOMPARE(form->size(), QSize(165, 215));
    QCOMPARE(form->minimumSize(), form->maximumSize());

    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    QVERIFY(form->RadioButtonFlop->isChecked());
    QCOMPARE(form->SpinEditOuts->text(), QStringLiteral("0"));
    for (const QLineEdit *field :
         {form->EditPot, form->EditCall, form->EditHandOdds, form->EditPotOdds, form->EditProfit})
        QCOMPARE(field->text(), QStringLiteral("0"));
    for (const QLineEdit *output : {form->EditHandOdds, form->EditPotOdds, form->EditProfit})
        QVERIFY(output->isReadOnly());
    QCOMPARE(background(form->EditHandOdds), kMoneyGreen);
    QCOMPARE(background(form->EditPotOdds), kMoneyGreen);
    QCOMPARE(background(form->EditProfit), kCyan);
}

void TestPotOdds::everyControlIsNamedAndFits()
{
    const QList<QWidget *> controls = {
        form->RadioButtonFlop, form->RadioButtonTurn, form->RadioButtonRiver,
        form->SpinEditOuts,    form->EditPot,         form->EditCall,
        form->EditHandOdds,    form->EditPotOdds,     form->EditProfit};
    const QRect client = form->rect();
    for (const QWidget *control : controls) {
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        QVERIFY2(client.contains(control->geometry()), qPrintable(control->objectName()));
    }
    // No caption is cut at the default font.
    const auto labels = form->findChildren<QLabel *>();
    QCOMPARE(labels.size(), 6);
    for (const QLabel *label : labels) {
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        QVERIFY2(client.contains(label->geometry()), qPrintable(label->text()));
        QVERIFY(label->buddy() != nullptr);
    }
    for (const QRadioButton *round :
         {form->RadioButtonFlop, form->RadioButtonTurn, form->RadioButtonRiver})
        QVERIFY2(round->width() >= round->sizeHint().width(), qPrintable(round->text()));
    // A six-character pot and a profit such as -4999.5 show whole.
    const int room = form->fontMetrics().horizontalAdvance(QStringLiteral("-4999.5"));
    for (const QLineEdit *field : {form->EditPot, form->EditProfit})
        QVERIFY2(field->width() > room + 8, qPrintable(field->objectName()));
}

void TestPotOdds::workedFigures_data()
{
    QTest::addColumn<QString>("round");
    QTest::addColumn<QString>("outs");
    QTest::addColumn<QString>("pot");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("handOdds");
    QTest::addColumn<QString>("potOdds");
    QTest::addColumn<QString>("profit");
    QTest::addColumn<QColor>("profitColour");
    QTest::newRow("Turn, 9 outs, pot 100, call 20") << "RadioButtonTurn"
                                                    << "9"
                                                    << "100"
                                                    << "20"
                                                    << "19.1"
                                                    << "20"
                                                    << "-85.1" << kRed;
    QTest::newRow("Flop, 8 outs, pot 50, call 10") << "RadioButtonFlop"
                                                   << "8"
                                                   << "50"
                                                   << "10"
                                                   << "16"
                                                   << "20"
                                                   << "1071.4" << kGreen;
    QTest::newRow("River, 23 outs, pot 1.5, call 0.75") << "RadioButtonRiver"
                                                        << "23"
                                                        << "1.5"
                                                        << "0.75"
                                                        << "50"
                                                        << "50"
                                                        << "0" << kCyan;
}

void TestPotOdds::workedFigures()
{
    QFETCH(QString, round);
    QFETCH(QString, outs);
    QFETCH(QString, pot);
    QFETCH(QString, call);
    QFETCH(QString, handOdds);
    QFETCH(QString, potOdds);
    QFETCH(QString, profit);
    QFETCH(QColor, profitColour);
    enter(form->findChild<QRadioButton *>(round), outs, pot, call);
    QCOMPARE(form->SpinEditOuts->text(), outs);
    QCOMPARE(form->EditPot->text(), pot);
    QCOMPARE(form->EditCall->text(), call);
    QCOMPARE(form->EditHandOdds->text(), handOdds);
    QCOMPARE(form->EditPotOdds->text(), potOdds);
    QCOMPARE(form->EditProfit->text(), profit);
    QCOMPARE(background(form->EditProfit), profitColour);
}

void TestPotOdds::roundSwitchingKeepsOneCardOddsOnFlop()
{
    enter(form->RadioButtonTurn, QStringLiteral("9"), QStringLiteral("100"), QStringLiteral("20"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("19.1"));
    clickRound(form->RadioButtonRiver);
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("19.6"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("-43.5"));
    clickRound(form->RadioButtonFlop);
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("18"));
    // Three cards to come: a 45.6 % chance, so the call pays.
    QCOMPARE(form->EditProfit->text(), QStringLiteral("2561.2"));
    QCOMPARE(background(form->EditProfit), kGreen);
}

void TestPotOdds::zeroOutsOnFlopLosesHundredTimesCall()
{
    enter(form->RadioButtonFlop, QStringLiteral("0"), QStringLiteral("40"), QStringLiteral("7"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("0"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("-700"));
    QCOMPARE(background(form->EditProfit), kRed);
}

void TestPotOdds::zeroPotKeepsPotOdds()
{
    enter(form->RadioButtonTurn, QStringLiteral("9"), QStringLiteral("100"), QStringLiteral("20"));
    QCOMPARE(form->EditPotOdds->text(), QStringLiteral("20"));
    type(form->EditPot, QStringLiteral("0"));
    type(form->EditCall, QStringLiteral("5"));
    QCOMPARE(form->EditPotOdds->text(), QStringLiteral("20"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("-500"));
}

void TestPotOdds::emptiedPotKeepsPotOddsAndProfit()
{
    enter(form->RadioButtonTurn, QStringLiteral("9"), QStringLiteral("100"), QStringLiteral("20"));
    form->EditPot->end(false);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(form->EditPot, Qt::Key_Backspace);
    QCOMPARE(form->EditPot->text(), QString());
    // The last backspace left "1": pot odds 2000, profit 19.1 - 2000.
    QCOMPARE(form->EditPotOdds->text(), QStringLiteral("2000"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("-1980.9"));
    typeOuts(QStringLiteral("12"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("25.5"));
    QCOMPARE(form->EditPotOdds->text(), QStringLiteral("2000"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("-1980.9"));
}

void TestPotOdds::resetInputsZeroesInputsAndKeepsPotOdds()
{
    enter(form->RadioButtonTurn, QStringLiteral("9"), QStringLiteral("100"), QStringLiteral("20"));
    form->resetInputs();
    QCOMPARE(form->SpinEditOuts->text(), QStringLiteral("0"));
    QCOMPARE(form->EditPot->text(), QStringLiteral("0"));
    QCOMPARE(form->EditCall->text(), QStringLiteral("0"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("0"));
    QCOMPARE(form->EditPotOdds->text(), QStringLiteral("20"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("0"));
    QCOMPARE(background(form->EditProfit), kCyan);
    QVERIFY(form->RadioButtonTurn->isChecked());

    form->setOutsText(QStringLiteral("9"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("19.1"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("0"));
}

void TestPotOdds::potKeyFilter_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    QTest::newRow("second . after 1.5") << "1.5"
                                        << "."
                                        << "1.5";
    QTest::newRow(", after 1.5") << "1.5"
                                 << ","
                                 << "1.5,";
    QTest::newRow("second , after 1,5") << "1,5"
                                        << ","
                                        << "1,5";
    QTest::newRow(". after 1,5") << "1,5"
                                 << "."
                                 << "1,5.";
    QTest::newRow("letters, sign and blank") << ""
                                             << "1a-2 +b3e"
                                             << "123";
    QTest::newRow("seventh character") << "123456"
                                       << "7"
                                       << "123456";
    QTest::newRow("seventh character .") << "12345,"
                                         << "."
                                         << "12345,";
}

void TestPotOdds::potKeyFilter()
{
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    for (QLineEdit *edit : {form->EditPot, form->EditCall}) {
        edit->setText(before);
        edit->end(false);
        QTest::keyClicks(edit, keys);
        QCOMPARE(edit->text(), after);
    }
}

void TestPotOdds::commaAfterDecimalPointEmptiesOutputs()
{
    enter(form->RadioButtonTurn, QStringLiteral("9"), QStringLiteral("1.5"), QStringLiteral("1"));
    QCOMPARE(form->EditPotOdds->text(), QStringLiteral("66.7"));
    QTest::keyClicks(form->EditPot, QStringLiteral(","));
    QCOMPARE(form->EditPot->text(), QStringLiteral("1.5,"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("19.1"));
    QCOMPARE(form->EditPotOdds->text(), QString());
    QCOMPARE(form->EditProfit->text(), QString());
    QCOMPARE(background(form->EditProfit), kCyan);
}

void TestPotOdds::outsWrittenFromOutsideStayUntilFocusLeaves()
{
    enter(form->RadioButtonTurn, QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("0"));
    form->setOutsText(QStringLiteral("35"));
    QCOMPARE(form->SpinEditOuts->text(), QStringLiteral("35"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("74.5"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("7446.8"));
    moveFocusAwayFromOuts();
    QCOMPARE(form->SpinEditOuts->text(), QStringLiteral("30"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("63.8"));
}

void TestPotOdds::outsTypedOutOfRangeClampOnLeave_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("handOddsTyped");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("handOddsLeft");
    QTest::newRow("45") << "45"
                        << "95.7"
                        << "30"
                        << "63.8";
    QTest::newRow("-4") << "-4"
                        << "-8.5"
                        << "0"
                        << "0";
    QTest::newRow("30") << "30"
                        << "63.8"
                        << "30"
                        << "63.8";
    QTest::newRow("1.5") << "1.5"
                         << "0"
                         << "1.5"
                         << "0";
}

void TestPotOdds::outsTypedOutOfRangeClampOnLeave()
{
    QFETCH(QString, typed);
    QFETCH(QString, handOddsTyped);
    QFETCH(QString, left);
    QFETCH(QString, handOddsLeft);
    clickRound(form->RadioButtonTurn);
    typeOuts(typed);
    QCOMPARE(form->SpinEditOuts->text(), typed);
    QCOMPARE(form->EditHandOdds->text(), handOddsTyped);
    moveFocusAwayFromOuts();
    QCOMPARE(form->SpinEditOuts->text(), left);
    QCOMPARE(form->EditHandOdds->text(), handOddsLeft);
}

void TestPotOdds::outsKeysAndNonIntegers()
{
    clickRound(form->RadioButtonTurn);
    typeOuts(QStringLiteral("a9 x,"));
    QCOMPARE(form->SpinEditOuts->text(), QStringLiteral("9"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("19.1"));
    QTest::keyClicks(form->SpinEditOuts, QStringLiteral("."));
    QCOMPARE(form->SpinEditOuts->text(), QStringLiteral("9."));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("0"));
    typeOuts(QStringLiteral("+"));
    QCOMPARE(form->SpinEditOuts->text(), QStringLiteral("+"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("0"));
}

void TestPotOdds::outsArrowsStepWithinRange_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("stepped");
    QTest::newRow("29 up") << "29" << int(Qt::Key_Up) << "30";
    QTest::newRow("30 up") << "30" << int(Qt::Key_Up) << "30";
    QTest::newRow("0 down") << "0" << int(Qt::Key_Down) << "0";
    QTest::newRow("99 down") << "99" << int(Qt::Key_Down) << "30";
    QTest::newRow("-5 up") << "-5" << int(Qt::Key_Up) << "0";
    QTest::newRow("1.5 up") << "1.5" << int(Qt::Key_Up) << "1";
    QTest::newRow("25 page up") << "25" << int(Qt::Key_PageUp) << "30";
}

void TestPotOdds::outsArrowsStepWithinRange()
{
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QString, stepped);
    form->setOutsText(start);
    QTest::keyClick(form->SpinEditOuts, Qt::Key(key));
    QCOMPARE(form->SpinEditOuts->text(), stepped);
    QCOMPARE(form->EditHandOdds->text(),
             QString::number(qRound(stepped.toInt() / 50.0 * 1000) / 10.0));
}

void TestPotOdds::decimalCommaLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    enter(form->RadioButtonFlop, QStringLiteral("8"), QStringLiteral("12,5"),
          QStringLiteral("2,5"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("16"));
    QCOMPARE(form->EditPotOdds->text(), QStringLiteral("20"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("267,9"));
    QCOMPARE(background(form->EditProfit), kGreen);

    clickRound(form->RadioButtonTurn);
    type(form->EditPot, QStringLiteral("100"));
    type(form->EditCall, QStringLiteral("20"));
    typeOuts(QStringLiteral("9"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("19,1"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("-85,1"));
    QCOMPARE(background(form->EditProfit), kRed);

    // The comma locale's outs field takes "," and refuses ".".
    typeOuts(QStringLiteral("1.,5"));
    QCOMPARE(form->SpinEditOuts->text(), QStringLiteral("1,5"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("0"));

    // "1.5" is no number where the separator is ",".
    type(form->EditPot, QStringLiteral("1.5"));
    QCOMPARE(form->EditPotOdds->text(), QString());
    QCOMPARE(form->EditProfit->text(), QString());
    QCOMPARE(background(form->EditProfit), kCyan);
}

void TestPotOdds::hidingKeepsFields()
{
    enter(form->RadioButtonRiver, QStringLiteral("9"), QStringLiteral("100"), QStringLiteral("20"));
    // The Tools menu hides the window by closing it.
    QVERIFY(form->close());
    QVERIFY(form->isHidden());
    form->show();
    QVERIFY(form->RadioButtonRiver->isChecked());
    QCOMPARE(form->SpinEditOuts->text(), QStringLiteral("9"));
    QCOMPARE(form->EditPot->text(), QStringLiteral("100"));
    QCOMPARE(form->EditCall->text(), QStringLiteral("20"));
    QCOMPARE(form->EditHandOdds->text(), QStringLiteral("19.6"));
    QCOMPARE(form->EditPotOdds->text(), QStringLiteral("20"));
    QCOMPARE(form->EditProfit->text(), QStringLiteral("-43.5"));
    QCOMPARE(background(form->EditProfit), kRed);
}

QTEST_MAIN(TestPotOdds)
#include "tst_potodds.moc"
