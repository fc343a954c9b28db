// SPDX-License-Identifier: GPL-3.0-or-later
// The New Game / Save dialog: asks how the finished game ended and how many players the next
// one has, then records the game. Created once at start; keeps its choices between openings.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TFormNewGame : public QDialog
{
    Q_OBJECT

public:
    // Writes the game; false when it could not. An exception it throws is shown by the
    // general error report and counts as a failure.
    using RecordStep = std::function<bool()>;

    explicit TFormNewGame(QWidget *parent = nullptr);

    // "Win", "Lose", "Split" or "Fold": the word stored in the history, never translated.
    QString resultText() const;
    int totalPlayers() const;
    // The number of players as the spin box shows it, for the card panel's "Active players".
    QString totalPlayersText() const;

    void setRecordGame(RecordStep step);
    // How the last opening ended: recorded() after OK when the step wrote the game;
    // recordFailed() after OK when it did not. Both false after Cancel or without a step.
    bool recorded() const { return m_outcome == Outcome::Recorded; }
    bool recordFailed() const { return m_outcome == Outcome::Failed; }

public Q_SLOTS:
    // OK: records the game, then closes the dialog whether or not that succeeded.
    void BitBtnOKClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Outcome
    {
        None,
        Recorded,
        Failed
    };

    Outcome recordGame();

    QGroupBox *GroupBoxResult = nullptr;
    QRadioButton *RadioButtonWin = nullptr;
    QRadioButton *RadioButtonLose = nullptr;
    QRadioButton *RadioButtonSplit = nullptr;
    QRadioButton *RadioButtonFold = nullptr;
    QLabel *LabelTP = nullptr;
    QSpinBox *SpinEditTP = nullptr;
    QPushButton *BitBtnOK = nullptr;
    QPushButton *BitBtnCancel = nullptr;

    RecordStep m_recordGame;
    Outcome m_outcome = Outcome::None;
};

// The one dialog of the program, made by the start-up code.
extern TFormNewGame *FormNewGame;
