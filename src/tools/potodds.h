// SPDX-License-Identifier: GPL-3.0-or-later
// The pot-odds calculator window: outs, pot and call in; hand odds, pot odds and an expected
// profit coloured by its sign out. Always on top, with no title-bar buttons of its own.
#pragma once

#include <QAbstractSpinBox>
#include <QWidget>

class QKeyEvent;
class QLineEdit;
class QRadioButton;

namespace tallowby {
enum class PotOddsRound;
}

// The Outs field. Unlike QSpinBox it keeps whatever is typed or written into it, values outside
// 0..30 and non-integers included (those read as 0), and clamps an out-of-range integer only
// when it loses the focus. Its arrows step within 0..30.
class OutsSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)

public:
    explicit OutsSpinEdit(QWidget *parent = nullptr);

    // The text read as an integer; anything else reads as 0.
    int value() const;
    // Writes the value kept within 0..30.
    void setValue(int value);
    // Writes the text as it stands, also a value outside 0..30.
    void setText(const QString &text);

    void stepBy(int steps) override;

Q_SIGNALS:
    void textChanged(const QString &text);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

class TFormPotOdds : public QWidget
{
    Q_OBJECT

public:
    explicit TFormPotOdds(QWidget *parent = nullptr);

    // Before each analysis and at New Game: Outs to 0, then Pot, Call and Profit to "0", each
    // write recomputing as a typed change would.
    void resetInputs();
    // The analysis copies its outs count here; a count above 30 stays until the field loses the
    // focus.
    void setOutsText(const QString &text);

    // The controls, owned by the window.
    QRadioButton *RadioButtonFlop = nullptr;
    QRadioButton *RadioButtonTurn = nullptr;
    QRadioButton *RadioButtonRiver = nullptr;
    OutsSpinEdit *SpinEditOuts = nullptr;
    QLineEdit *EditPot = nullptr;
    QLineEdit *EditCall = nullptr;
    QLineEdit *EditHandOdds = nullptr;
    QLineEdit *EditPotOdds = nullptr;
    QLineEdit *EditProfit = nullptr;

public Q_SLOTS:
    // Every input change and every round choice ends here.
    void SpinEditOutsChange();
    void EditProfitChange();
    void CalcProfit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void wireSignals();
    tallowby::PotOddsRound checkedRound() const;
    // Whether a key press on Pot or Call may reach the field.
    bool EditPotKeyPress(const QLineEdit *edit, const QKeyEvent *event) const;
};

// The one pot-odds window, created at start-up.
extern TFormPotOdds *FormPotOdds;
