// SPDX-License-Identifier: GPL-3.0-or-later
// The card panel "Control & Recommendation Panel": the deck of 52 small card pictures through
// which every card enters the hand, the seven slots, the opponents' action and the number of
// active players, and the read-outs and verdicts of the analysis.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>

namespace tallowby {
struct EquityResult;
struct HandState;
} // namespace tallowby

class CardButton;
class CardKeyboard;
class EquityCalculator;
class HintLine;
class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ReadoutLabel;
class SlotPicture;
class VerdictPanel;

class TFormSelCards : public QWidget
{
    Q_OBJECT

public:
    explicit TFormSelCards(QWidget *parent = nullptr);
    ~TFormSelCards() override;

    // Puts card index c (0 empties) into the selected slot and runs the follow-up analyses.
    void SelectCard(int c);

    // The slot whose radio button is checked, 1..7.
    int selectedSlot() const;
    void selectSlot(int s);
    // The picture shown in slot s: 0 the card back, 1..52 a face.
    int slotPicture(int s) const;

    // New Game: the card back in every slot and the first hole card selected.
    void clearSlotPictures();

    // The keyboard: the panel becomes the active window with the focus on the deck. Typed
    // cards and slot keys reaching `window` (the main window) are taken as well.
    void takeKeyboardFocus();
    void takeCardKeysFrom(QWidget &window);
    CardKeyboard &keyboard() const { return *keyboard_; }
    CardButton *cardButton(int index) const { return cardButtons_[index]; }
    void focusCard(int index);
    // The one-line hint under the slots, and what the deck says to a screen reader.
    void showKeyboardHint(const QString &line, const QString &description);
    QString keyboardHint() const;

    QString opponentsText() const;
    // The item index of "Opponents:", -1 while its text was typed.
    int opponentsIndex() const;
    QString activePlayersText() const;
    // Changes the text of "Active players:" without running its change handler.
    void setActivePlayersText(const QString &text);

    // Steps 2 to 4 of resetting the read-outs: "Call", "0", "0", "??", both verdicts empty on
    // green. The opponents' change handler does not run.
    void resetPanelReadouts();

    QString outsText() const;
    QString hitText() const;
    QString winText() const;
    void setOutsText(const QString &text);
    void setHitText(const QString &text);
    void setWinText(const QString &text);

    // The "Equity %" read-out: the hand's equity against the active players holding random
    // cards, worked out on worker threads; a simulated figure shows as soon as it is good to
    // 0.5 points and is refined in place. "??" until the first figure, when the slots form no
    // complete stage and when "Active players:" holds no number. A click that leaves the stage
    // incomplete keeps the figure, and the job, of the stage before.
    void requestEquity(const tallowby::HandState &hand);
    // "??", and the job in progress cancelled.
    void clearEquity();
    QString equityText() const;
    QString equityToolTip() const;
    EquityCalculator &equityCalculator() const { return *equity_; }

    // The verdict panels: 1 the hit verdict, 2 the higher verdict.
    QString verdictText(int panel) const;
    QColor verdictColour(int panel) const;
    void setVerdictText(int panel, const QString &text);
    void setVerdictColour(int panel, const QColor &colour);

    // Click handlers.
    void ButtonClearCardClick();
    void ButtonNewGameClick();
    void ComboBoxOppsChange();
    void ComboBoxAPChange();

protected:
    // The window system's close request (Alt+F4, a task bar's Close) is refused: this is the
    // only way cards enter the program.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    QWidget *buildDeck();
    QWidget *buildSlots();
    QWidget *buildControlRows();
    void connectSignals();
    VerdictPanel *verdictPanel(int panel) const;
    void showEquity(const tallowby::EquityResult &result);
    void setEquityExplanation(const QString &text);

    std::array<CardButton *, 53> cardButtons_{};       // by card index 1..52
    std::array<SlotPicture *, 8> slotPictures_{};      // by slot 1..7
    std::array<QRadioButton *, 8> slotRadioButtons_{}; // by slot 1..7
    QButtonGroup *slotGroup_ = nullptr;
    QPushButton *ButtonNewGame = nullptr;
    QPushButton *ButtonClearCard = nullptr;
    QComboBox *ComboBoxOpps = nullptr;
    QComboBox *ComboBoxAP = nullptr;
    ReadoutLabel *LabelOuts = nullptr;
    ReadoutLabel *LabelHit = nullptr;
    ReadoutLabel *LabelWin = nullptr;
    ReadoutLabel *LabelEquity = nullptr;
    EquityCalculator *equity_ = nullptr;
    CardKeyboard *keyboard_ = nullptr;
    QWidget *deck_ = nullptr;
    HintLine *hint_ = nullptr;
    int equityPlayers_ = 0; // the active players of the latest equity request
    VerdictPanel *PanelVerdict1 = nullptr;
    VerdictPanel *PanelVerdict2 = nullptr;
    bool oppsTyped_ = false; // "Opponents:" holds typed text, so no item is selected
};

// The one card panel of the program, made by the start-up code.
extern TFormSelCards *FormSelCards;
