// SPDX-License-Identifier: GPL-3.0-or-later
// The pot-odds calculator window: builds its controls, filters keys and writes back what
// calcProfit computes.
#include "tools/potodds.h"

#include "tools/potoddsmath.h"

#include "panel/contrast.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

using namespace tallowby;

TFormPotOdds *FormPotOdds = nullptr;

namespace {

constexpr int kClientWidth = 165;
constexpr int kClientHeight = 215;
constexpr int kPotMaxLength = 6;

QString decimalSeparator()
{
    return QLocale().decimalPoint();
}

// Whether every printable character a key press types passes the rule, each one judged against
// the text as it would read after the ones before it. Keys that type nothing printable
// (backspace, delete, arrows, shortcuts) always pass.
bool typedTextPasses(const QKeyEvent *event, QString text,
                     const std::function<bool(const QString &, QChar)> &accepts)
{
    for (const QChar typed : event->text()) {
        if (!typed.isPrint())
            continue;
        if (!accepts(text, typed))
            return false;
        text += typed;
    }
    return true;
}

// The fills are light whatever the desktop's colours, so the text is set with them: a dark
// scheme's light text would vanish on them.
void setBackground(QLineEdit *edit, const QColor &colour)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Text, readableTextOn(colour));
    edit->setPalette(palette);
}

// Room for the longest figure the fields commonly show, "99999.9", so that none is cut.
int fieldWidth(const QLineEdit &edit)
{
    QStyleOptionFrame frame;
    frame.initFrom(&edit);
    frame.lineWidth = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &edit);
    const int text = edit.fontMetrics().horizontalAdvance(QStringLiteral("99999.9"));
    // The text margins of a line edit and its frame on either side.
    return text + 2 * (2 + frame.lineWidth) + 2;
}

} // namespace

// ---- OutsSpinEdit ----

OutsSpinEdit::OutsSpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, &OutsSpinEdit::textChanged);
    // Redraws the arrows, which grey out at the bounds.
    connect(lineEdit(), &QLineEdit::textChanged, this, qOverload<>(&QWidget::update));
}

int OutsSpinEdit::value() const
{
    return readOuts(text());
}

void OutsSpinEdit::setValue(int value)
{
    setText(QString::number(std::clamp(value, kMinOuts, kMaxOuts)));
}

void OutsSpinEdit::setText(const QString &text)
{
    lineEdit()->setText(text);
}

void OutsSpinEdit::stepBy(int steps)
{
    setText(steppedOutsText(text(), steps));
}

QAbstractSpinBox::StepEnabled OutsSpinEdit::stepEnabled() const
{
    // An arrow is live exactly when pressing it would change the text.
    StepEnabled enabled = StepNone;
    if (steppedOutsText(text(), 1) != text())
        enabled |= StepUpEnabled;
    if (steppedOutsText(text(), -1) != text())
        enabled |= StepDownEnabled;
    return enabled;
}

void OutsSpinEdit::keyPressEvent(QKeyEvent *event)
{
    const QString separator = decimalSeparator();
    const bool passes = typedTextPasses(event, text(), [&separator](const QString &, QChar typed) {
        return outsKeyAccepted(typed, separator);
    });
    if (!passes) {
        event->accept(); // swallowed, as if never typed
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void OutsSpinEdit::focusOutEvent(QFocusEvent *event)
{
    setText(outsTextOnLeave(text()));
    QAbstractSpinBox::focusOutEvent(event);
}

// ---- TFormPotOdds ----

TFormPotOdds::TFormPotOdds(QWidget *parent)
    // A tool window of its owner (the main window): the window manager keeps it above that
    // window and lists only the owner in the task bar and the window switcher.
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FormPotOdds"));
    setWindowTitle(tr("Pot Odds Calculator"));
    setAccessibleName(tr("Pot Odds Calculator"));
    // Closing the main window ends the program even while this one is showing.
    setAttribute(Qt::WA_QuitOnClose, false);
    // Tooltips show even while the player works in another window.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    buildControls();
    wireSignals();
    // The design size, or what a larger font needs.
    setFixedSize(QSize(kClientWidth, kClientHeight).expandedTo(minimumSizeHint()));
}

void TFormPotOdds::buildControls()
{
    const auto radio = [this](const char *name, const QString &label) {
        auto *button = new QRadioButton(label, this);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(label);
        return button;
    };
    RadioButtonFlop = radio("RadioButtonFlop", tr("Flop"));
    RadioButtonTurn = radio("RadioButtonTurn", tr("Turn"));
    RadioButtonRiver = radio("RadioButtonRiver", tr("River"));
    RadioButtonFlop->setChecked(true);
    RadioButtonFlop->setAccessibleDescription(tr("Three cards to come: the flop"));
    RadioButtonTurn->setAccessibleDescription(tr("One card to come: the turn"));
    RadioButtonRiver->setAccessibleDescription(tr("One card to come: the river"));

    SpinEditOuts = new OutsSpinEdit(this);
    SpinEditOuts->setObjectName(QStringLiteral("SpinEditOuts"));
    SpinEditOuts->setAccessibleName(tr("Outs"));

    const auto edit = [this](const char *name, const QString &accessibleName) {
        auto *field = new QLineEdit(QStringLiteral("0"), this);
        field->setObjectName(QLatin1String(name));
        field->setAccessibleName(accessibleName);
        return field;
    };
    EditPot = edit("EditPot", tr("Pot + Bets"));
    EditCall = edit("EditCall", tr("Call"));
    EditHandOdds = edit("EditHandOdds", tr("Hand Odds (%)"));
    EditPotOdds = edit("EditPotOdds", tr("Pot Odds (%)"));
    EditProfit = edit("EditProfit", tr("Profit"));
    for (QLineEdit *input : {EditPot, EditCall})
        input->setMaxLength(kPotMaxLength);
    for (QLineEdit *output : {EditHandOdds, EditPotOdds, EditProfit})
        output->setReadOnly(true);
    setBackground(EditHandOdds, moneyGreen());
    setBackground(EditPotOdds, moneyGreen());
    setBackground(EditProfit, profitColour(ProfitShade::Even));

    // The window is only 165 pixels wide: the three rounds share one row without gaps.
    auto *rounds = new QHBoxLayout;
    rounds->setSpacing(0);
    rounds->addWidget(RadioButtonFlop);
    rounds->addWidget(RadioButtonTurn);
    rounds->addWidget(RadioButtonRiver);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(4);
    fields->setVerticalSpacing(7);
    const std::pair<QString, QWidget *> rows[] = {
        {tr("Outs:"), SpinEditOuts},
        {tr("Pot + Bets:"), EditPot},
        {tr("Call:"), EditCall},
        {tr("Hand Odds (%):"), EditHandOdds},
        {tr("Pot Odds (%):"), EditPotOdds},
        {tr("Profit:"), EditProfit},
    };
    int row = 0;
    for (const auto &[text, field] : rows) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }
    fields->setColumnStretch(1, 1);
    for (QLineEdit *field : {EditPot, EditCall, EditHandOdds, EditPotOdds, EditProfit})
        field->setMinimumWidth(fieldWidth(*field));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 8, 3, 6);
    layout->setSpacing(10);
    layout->addLayout(rounds);
    layout->addLayout(fields);
    layout->addStretch(1);
}

void TFormPotOdds::wireSignals()
{
    // Changes of the two odds fields need no recomputation: the run that wrote them already
    // wrote the profit from the same inputs.
    for (QRadioButton *round : {RadioButtonFlop, RadioButtonTurn, RadioButtonRiver})
        connect(round, &QRadioButton::toggled, this, &TFormPotOdds::SpinEditOutsChange);
    connect(SpinEditOuts, &OutsSpinEdit::textChanged, this, &TFormPotOdds::SpinEditOutsChange);
    connect(EditPot, &QLineEdit::textChanged, this, &TFormPotOdds::SpinEditOutsChange);
    connect(EditCall, &QLineEdit::textChanged, this, &TFormPotOdds::SpinEditOutsChange);
    connect(EditProfit, &QLineEdit::textChanged, this, &TFormPotOdds::EditProfitChange);
    EditPot->installEventFilter(this);
    EditCall->installEventFilter(this);
}

void TFormPotOdds::resetInputs()
{
    SpinEditOuts->setValue(0);
    EditPot->setText(QStringLiteral("0"));
    EditCall->setText(QStringLiteral("0"));
    EditProfit->setText(QStringLiteral("0"));
}

void TFormPotOdds::setOutsText(const QString &text)
{
    SpinEditOuts->setText(text);
}

void TFormPotOdds::SpinEditOutsChange()
{
    CalcProfit();
}

void TFormPotOdds::CalcProfit()
{
    const PotOddsInputs inputs{checkedRound(), SpinEditOuts->text(), EditPot->text(),
                               EditCall->text()};
    const PotOddsTexts previous{EditHandOdds->text(), EditPotOdds->text(), EditProfit->text()};
    const PotOddsTexts next = calcProfit(inputs, previous, decimalSeparator());
    EditHandOdds->setText(next.handOdds);
    EditPotOdds->setText(next.potOdds);
    EditProfit->setText(next.profit);
}

void TFormPotOdds::EditProfitChange()
{
    setBackground(EditProfit, profitColour(profitShade(EditProfit->text(), decimalSeparator())));
}

PotOddsRound TFormPotOdds::checkedRound() const
{
    if (RadioButtonTurn->isChecked())
        return PotOddsRound::Turn;
    if (RadioButtonRiver->isChecked())
        return PotOddsRound::River;
    return PotOddsRound::Flop;
}

bool TFormPotOdds::EditPotKeyPress(const QLineEdit *edit, const QKeyEvent *event) const
{
    // The rule looks at the whole text, selected or not.
    return typedTextPasses(event, edit->text(), &potKeyAccepted);
}

bool TFormPotOdds::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == EditPot || watched == EditCall)) {
        const auto *edit = static_cast<const QLineEdit *>(watched);
        if (!EditPotKeyPress(edit, static_cast<const QKeyEvent *>(event)))
            return true; // dropped
    }
    return QWidget::eventFilter(watched, event);
}

void TFormPotOdds::closeEvent(QCloseEvent *event)
{
    // Only the Tools menu hides this window, so its check mark always matches; a close request
    // from the window system (Alt+F4) would leave the two out of step.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
