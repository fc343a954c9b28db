// SPDX-License-Identifier: GPL-3.0-or-later
// The card panel: builds its controls, takes the clicks and hands the work to the main window's
// routines.
#include "selcards.h"

#include "app/commandguard.h"
#include "app/prompts.h"
#include "app/tallowby.h"
#include "engine/cards.h"
#include "engine/equity.h"
#include "engine/handstate.h"
#include "engine/odds.h"
#include "panel/activeplayers.h"
#include "panel/cardbutton.h"
#include "panel/cardkeyboard.h"
#include "panel/equitytext.h"
#include "panel/equityworker.h"
#include "panel/hintline.h"
#include "panel/readouts.h"
#include "panel/slotpicture.h"
#include "panel/slots.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWindow>

using namespace tallowby;

TFormSelCards *FormSelCards = nullptr;

namespace {

constexpr int kCallItem = 1;
constexpr int kRaise400Item = 4;

// The deck as the user sees it: rows spades, diamonds, clubs, hearts; columns ace down to deuce.
constexpr int kDeckRows = 4;
constexpr int kDeckColumns = 13;
// The card that holds the deck's keyboard focus at first, top left.
constexpr int kFirstFocusedCard = 13;

QLabel *whiteLabel(const QString &text, QWidget *parent, bool bold = false)
{
    auto *label = new QLabel(text, parent);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(colours);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// An editable combo whose text is checked on every keystroke: nothing is added to the list,
// and no completion writes into the text behind the user's back.
QComboBox *optionCombo(const QStringList &items, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

int listedItem(const QComboBox &combo)
{
    return combo.findText(combo.currentText(), Qt::MatchFixedString);
}

bool isListed(const QComboBox &combo)
{
    return listedItem(combo) >= 0;
}

} // namespace

TFormSelCards::TFormSelCards(QWidget *parent)
    // A tool window of its owner (the main window): the window manager keeps it above that
    // window and lists only the owner in the task bar and the window switcher.
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FormSelCards"));
    setWindowTitle(tr("Control & Recommendation Panel"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_AlwaysShowToolTips);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kTableGreen);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);

    // A missing or damaged table only costs speed: pre-flop figures are then simulated.
    QString tableError;
    equity_ = new EquityCalculator(
        loadPreflopEquityTable(QCoreApplication::applicationDirPath(), tableError), this);
    if (!tableError.isEmpty())
        qWarning("%s", qUtf8Printable(tableError));

    buildControls();
    keyboard_ = new CardKeyboard(*this);
    connectSignals();
}

void TFormSelCards::buildControls()
{
    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(buildDeck(), 0, Qt::AlignTop);
    // As tall as the deck, so that the hint under the slots lines up with its last row.
    top->addWidget(buildSlots());

    auto *whole = new QVBoxLayout(this);
    whole->setContentsMargins(10, 8, 10, 10);
    whole->setSpacing(10);
    whole->addLayout(top);
    whole->addWidget(buildControlRows());
    whole->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget *TFormSelCards::buildDeck()
{
    auto *deck = new QWidget(this);
    deck_ = deck;
    deck->setObjectName(QStringLiteral("Deck"));
    deck->setAccessibleName(tr("Deck"));
    auto *grid = new QGridLayout(deck);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(1);
    grid->setVerticalSpacing(3);
    for (int row = 0; row < kDeckRows; ++row) {
        for (int column = 0; column < kDeckColumns; ++column) {
            const int index = cardIndex(13 - column, row);
            auto *button = new CardButton(index, deck);
            // The deck is one tab stop; the arrow keys move within it.
            button->setFocusPolicy(index == kFirstFocusedCard ? Qt::StrongFocus : Qt::ClickFocus);
            cardButtons_[index] = button;
            grid->addWidget(button, row, column);
        }
    }
    return deck;
}

QWidget *TFormSelCards::buildSlots()
{
    auto *slots = new QWidget(this);
    auto *groups = new QHBoxLayout;
    groups->setSpacing(12);
    slotGroup_ = new QButtonGroup(this);
    slotGroup_->setExclusive(true);

    struct SlotGroup
    {
        QString heading;
        int first;
        int last;
    };
    const SlotGroup table[] = {{tr("Your Hand"), H1, H2},
                               {tr("Flop"), F1, F3},
                               {tr("Turn"), Tn, Tn},
                               {tr("River"), Rr, Rr}};
    for (const SlotGroup &group : table) {
        auto *column = new QVBoxLayout;
        column->setSpacing(3);
        column->addWidget(whiteLabel(group.heading, slots, true), 0, Qt::AlignHCenter);
        auto *pictures = new QHBoxLayout;
        pictures->setSpacing(4);
        for (int s = group.first; s <= group.last; ++s) {
            auto *slot = new QVBoxLayout;
            slot->setSpacing(2);
            slotPictures_[s] = new SlotPicture(s, slots);
            slot->addWidget(slotPictures_[s], 0, Qt::AlignHCenter);
            auto *radio = new QRadioButton(slots);
            radio->setObjectName(slotinfo::radioButtonName(s));
            radio->setAccessibleName(slotinfo::spokenName(s));
            radio->setAccessibleDescription(
                tr("The next card clicked or typed goes into this slot"));
            radio->setToolTip(tr("%1 (Alt+%2)").arg(slotinfo::spokenName(s)).arg(s));
            slotGroup_->addButton(radio, s);
            slotRadioButtons_[s] = radio;
            slot->addWidget(radio, 0, Qt::AlignHCenter);
            pictures->addLayout(slot);
        }
        column->addLayout(pictures);
        groups->addLayout(column);
    }
    slotRadioButtons_[H1]->setChecked(true);

    // Below the slots, where the deck is taller than they are.
    hint_ = new HintLine(slots);
    hint_->setObjectName(QStringLiteral("LabelKeyboardHint"));
    QPalette colours = hint_->palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    hint_->setPalette(colours);
    auto *whole = new QVBoxLayout(slots);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->setSpacing(0);
    whole->addLayout(groups);
    whole->addStretch(1);
    whole->addWidget(hint_);
    return slots;
}

QWidget *TFormSelCards::buildControlRows()
{
    auto *rows = new QWidget(this);
    auto *grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);

    ButtonNewGame = new QPushButton(tr("&New Game"), rows);
    ButtonNewGame->setObjectName(QStringLiteral("ButtonNewGame"));
    ButtonClearCard = new QPushButton(tr("&Reset Card"), rows);
    ButtonClearCard->setObjectName(QStringLiteral("ButtonClearCard"));
    ButtonClearCard->setAccessibleDescription(
        tr("Empties the selected slot; Backspace or Delete does the same"));

    // The opponents' actions are keys of the betting systems: never translated.
    ComboBoxOpps =
        optionCombo({QStringLiteral("Check"), QStringLiteral("Call"), QStringLiteral("Raise 100%"),
                     QStringLiteral("Raise 200%"), QStringLiteral("Raise 400%"),
                     QStringLiteral("Raise 800%"), QStringLiteral("Raise All-In")},
                    rows);
    ComboBoxOpps->setObjectName(QStringLiteral("ComboBoxOpps"));
    ComboBoxOpps->setAccessibleName(tr("Opponents"));
    ComboBoxOpps->setCurrentIndex(kRaise400Item);
    auto *oppsLabel = whiteLabel(tr("&Opponents:"), rows);
    oppsLabel->setBuddy(ComboBoxOpps);

    ComboBoxAP = optionCombo({QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("8"),
                              QStringLiteral("7"), QStringLiteral("6"), QStringLiteral("5"),
                              QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2")},
                             rows);
    ComboBoxAP->setObjectName(QStringLiteral("ComboBoxAP"));
    ComboBoxAP->setAccessibleName(tr("Active players"));
    ComboBoxAP->setCurrentIndex(0);
    auto *playersLabel = whiteLabel(tr("&Active players:"), rows);
    playersLabel->setBuddy(ComboBoxAP);

    LabelOuts = new ReadoutLabel(tr("Outs"), rows);
    LabelOuts->setObjectName(QStringLiteral("LabelOuts"));
    LabelHit = new ReadoutLabel(tr("Hit %"), rows);
    LabelHit->setObjectName(QStringLiteral("LabelHit"));
    LabelWin = new ReadoutLabel(tr("Win %"), rows);
    LabelWin->setObjectName(QStringLiteral("LabelWin"));
    LabelEquity = new ReadoutLabel(tr("Equity %"), rows);
    LabelEquity->setObjectName(QStringLiteral("LabelEquity"));
    LabelEquity->fitValues(QStringLiteral("\u2248 100.0"));
    LabelEquity->setValue(QStringLiteral("??"));
    setEquityExplanation(equityExplanation());

    PanelVerdict1 = new VerdictPanel(tr("Hit verdict"), rows);
    PanelVerdict1->setObjectName(QStringLiteral("PanelVerdict1"));
    PanelVerdict2 = new VerdictPanel(tr("Higher verdict"), rows);
    PanelVerdict2->setObjectName(QStringLiteral("PanelVerdict2"));

    auto *choices = new QHBoxLayout;
    choices->setSpacing(8);
    choices->addWidget(ButtonNewGame);
    choices->addWidget(ButtonClearCard);
    choices->addSpacing(10);
    choices->addWidget(oppsLabel);
    choices->addWidget(ComboBoxOpps);
    choices->addSpacing(10);
    choices->addWidget(playersLabel);
    choices->addWidget(ComboBoxAP);
    choices->addStretch(1);
    grid->addLayout(choices, 0, 0);

    auto *figures = new QHBoxLayout;
    figures->setSpacing(6);
    for (ReadoutLabel *readout : {LabelOuts, LabelHit, LabelWin, LabelEquity}) {
        auto *caption = whiteLabel(readout->caption(), rows);
        figures->addWidget(caption);
        figures->addWidget(readout);
        figures->addSpacing(14);
    }
    figures->addStretch(1);
    grid->addLayout(figures, 1, 0);

    grid->setColumnStretch(0, 1);
    grid->addWidget(PanelVerdict1, 0, 1);
    grid->addWidget(PanelVerdict2, 1, 1);
    return rows;
}

TFormSelCards::~TFormSelCards()
{
    // Hiding a window that is being destroyed moves the focus, and an editable combo box that
    // loses the focus reports its text as chosen: no handler may run on a half-destroyed panel.
    for (QComboBox *combo : {ComboBoxOpps, ComboBoxAP}) {
        combo->blockSignals(true);
        combo->lineEdit()->blockSignals(true);
    }
}

void TFormSelCards::connectSignals()
{
    for (int index = 1; index <= kCardCount; ++index)
        connect(cardButtons_[index], &QAbstractButton::clicked, this,
                [this, index] { SelectCard(index); });
    connect(ButtonClearCard, &QPushButton::clicked, this, &TFormSelCards::ButtonClearCardClick);
    connect(ButtonNewGame, &QPushButton::clicked, this, &TFormSelCards::ButtonNewGameClick);
    // A choice from the list or any edit of the text; programmatic changes stay silent.
    connect(ComboBoxOpps, &QComboBox::textActivated, this, [this] {
        oppsTyped_ = false;
        ComboBoxOppsChange();
    });
    connect(ComboBoxOpps->lineEdit(), &QLineEdit::textEdited, this, [this] {
        oppsTyped_ = true;
        ComboBoxOppsChange();
    });
    connect(ComboBoxAP, &QComboBox::textActivated, this, &TFormSelCards::ComboBoxAPChange);
    connect(ComboBoxAP->lineEdit(), &QLineEdit::textEdited, this, &TFormSelCards::ComboBoxAPChange);
    connect(equity_, &EquityCalculator::refined, this, &TFormSelCards::showEquity);
    connect(equity_, &EquityCalculator::finished, this, &TFormSelCards::showEquity);
    connect(equity_, &EquityCalculator::failed, this, &TFormSelCards::clearEquity);
}

void TFormSelCards::SelectCard(int c)
{
    // A card chosen by any means ends a half-typed one.
    keyboard_->forget();
    const HandState &hand = currentHand();
    if (c > 0) {
        for (int s = 1; s <= kSlotCount; ++s) {
            if (hand.Slots[s].Index == c) {
                prompts().warning(this, tr("Card has already been selected"));
                return;
            }
        }
    }

    const int s = selectedSlot();
    slotPictures_[s]->showCard(c);
    FormTallowby->SetSlotCard(s, c);
    selectSlot(slotinfo::nextSlot(s));
    // Like Outs and Hit %, the equity of the last complete stage stays until another one is
    // analysed.

    FormTallowby->ApplyHandHistoryFilter();
    if (!hand.filled(H1) || !hand.filled(H2))
        return;
    FormTallowby->UpdateGameStatistics();
    if (stageOf(hand) == Stage::None)
        return;
    FormTallowby->ResetReadouts();
    FormTallowby->AnalyzeHand();
}

int TFormSelCards::selectedSlot() const
{
    const int s = slotGroup_->checkedId();
    return s >= H1 && s <= Rr ? s : H1;
}

void TFormSelCards::selectSlot(int s)
{
    slotRadioButtons_[s]->setChecked(true);
}

int TFormSelCards::slotPicture(int s) const
{
    return slotPictures_[s]->shownCard();
}

void TFormSelCards::clearSlotPictures()
{
    for (int s = H1; s <= Rr; ++s)
        slotPictures_[s]->showCard(0);
    selectSlot(H1);
    keyboard_->forget();
}

void TFormSelCards::takeKeyboardFocus()
{
    // Asked of the window itself: as a tool window of the main window it counts as active
    // already while the main window is, and activateWindow() would then do nothing.
    if (isVisible() && windowHandle())
        windowHandle()->requestActivate();
    const auto cards = deck_->findChildren<CardButton *>();
    // The card that is the deck's tab stop, where the user last was.
    for (CardButton *card : cards) {
        if (card->focusPolicy() == Qt::StrongFocus) {
            card->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    focusCard(kFirstFocusedCard);
}

void TFormSelCards::takeCardKeysFrom(QWidget &window)
{
    keyboard_->watch(window);
}

void TFormSelCards::focusCard(int index)
{
    cardButtons_[index]->setFocus(Qt::OtherFocusReason);
}

void TFormSelCards::showKeyboardHint(const QString &line, const QString &description)
{
    hint_->setHint(line);
    deck_->setAccessibleDescription(description);
    setAccessibleDescription(description);
}

QString TFormSelCards::keyboardHint() const
{
    return hint_->text();
}

QString TFormSelCards::opponentsText() const
{
    return ComboBoxOpps->currentText();
}

int TFormSelCards::opponentsIndex() const
{
    return oppsTyped_ ? -1 : ComboBoxOpps->currentIndex();
}

QString TFormSelCards::activePlayersText() const
{
    return ComboBoxAP->currentText();
}

void TFormSelCards::setActivePlayersText(const QString &text)
{
    ComboBoxAP->setEditText(text);
}

void TFormSelCards::resetPanelReadouts()
{
    ComboBoxOpps->setCurrentIndex(kCallItem);
    oppsTyped_ = false;
    LabelOuts->setValue(QStringLiteral("0"));
    LabelHit->setValue(QStringLiteral("0"));
    LabelWin->setValue(QStringLiteral("??"));
    clearEquity();
    for (VerdictPanel *panel : {PanelVerdict1, PanelVerdict2}) {
        panel->setVerdict(QString());
        panel->setColour(kTableGreen);
    }
}

QString TFormSelCards::outsText() const
{
    return LabelOuts->value();
}

QString TFormSelCards::hitText() const
{
    return LabelHit->value();
}

QString TFormSelCards::winText() const
{
    return LabelWin->value();
}

void TFormSelCards::setOutsText(const QString &text)
{
    LabelOuts->setValue(text);
}

void TFormSelCards::setHitText(const QString &text)
{
    LabelHit->setValue(text);
}

void TFormSelCards::setWinText(const QString &text)
{
    LabelWin->setValue(text);
}

void TFormSelCards::requestEquity(const HandState &hand)
{
    const std::optional<EquityHand> cards = equityHandOf(hand);
    const std::optional<int> players = activePlayersFrom(ComboBoxAP->currentText());
    if (!cards || !players) {
        clearEquity();
        return;
    }
    equityPlayers_ = *players;
    LabelEquity->setValue(QStringLiteral("??"));
    setEquityExplanation(tr("Working out the equity\u2026"));
    equity_->request(*cards, *players);
}

void TFormSelCards::clearEquity()
{
    equity_->cancel();
    LabelEquity->fitValues(QStringLiteral("\u2248 100.0"));
    LabelEquity->setValue(QStringLiteral("??"));
    setEquityExplanation(equityExplanation());
}

void TFormSelCards::showEquity(const EquityResult &result)
{
    const QLocale locale;
    LabelEquity->setValue(equityReadoutText(result, locale), equitySpokenText(result, locale));
    setEquityExplanation(::equityToolTip(result, equityPlayers_, locale));
}

void TFormSelCards::setEquityExplanation(const QString &text)
{
    LabelEquity->setToolTip(text);
    LabelEquity->setAccessibleDescription(text);
}

QString TFormSelCards::equityText() const
{
    return LabelEquity->value();
}

QString TFormSelCards::equityToolTip() const
{
    return LabelEquity->toolTip();
}

VerdictPanel *TFormSelCards::verdictPanel(int panel) const
{
    return panel == 2 ? PanelVerdict2 : PanelVerdict1;
}

QString TFormSelCards::verdictText(int panel) const
{
    return verdictPanel(panel)->verdict();
}

QColor TFormSelCards::verdictColour(int panel) const
{
    return verdictPanel(panel)->colour();
}

void TFormSelCards::setVerdictText(int panel, const QString &text)
{
    verdictPanel(panel)->setVerdict(text);
}

void TFormSelCards::setVerdictColour(int panel, const QColor &colour)
{
    verdictPanel(panel)->setColour(colour);
}

void TFormSelCards::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TFormSelCards::ButtonClearCardClick()
{
    SelectCard(0);
}

// Exactly as the menu command runs, errors reported the same way.
void TFormSelCards::ButtonNewGameClick()
{
    runCommand(this, [] { FormTallowby->MenuNewGameClick(); });
}

void TFormSelCards::ComboBoxOppsChange()
{
    const int item = listedItem(*ComboBoxOpps);
    if (item < 0)
        return;
    // The system's rows are looked up by the item's own text: "raise 800%" would find none.
    const QString itemText = ComboBoxOpps->itemText(item);
    if (ComboBoxOpps->currentText() != itemText)
        ComboBoxOpps->setEditText(itemText);
    FormTallowby->UpdateRecommendation();
}

void TFormSelCards::ComboBoxAPChange()
{
    if (!isListed(*ComboBoxAP)) {
        prompts().warning(this, tr("Invalid option"));
        return;
    }
    FormTallowby->AnalyzeHand();
}
