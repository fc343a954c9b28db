// SPDX-License-Identifier: GPL-3.0-or-later
// The "Edit System" dialog: edits the loaded betting system in place. The "Pre-Flop" page sets
// the action for each starting hand against each opponents' action; the "Flop", "Turn" and
// "River" pages set, for each hand type and opponents' action, the actions by thresholds on the
// chance of making the hand and on the chance that an opponent holds better. Every field shows
// the current row of its table; choosing a list entry moves the table, which stores a change
// of the row it leaves. OK stores the rows on view, Cancel drops their unstored changes.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

class DbTable;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;
class RowBinder;

class TFormEditSystem : public QDialog
{
    Q_OBJECT

public:
    // The design size of the area inside the border; a larger font makes it grow.
    static constexpr int kClientWidth = 510;
    static constexpr int kClientHeight = 285;

    // The two tables of the loaded system; both must outlive the dialog.
    TFormEditSystem(DbTable &handSet, DbTable &typeSet, QWidget *parent = nullptr);

    void FormShow();
    void ListBoxPFClick();
    void ListBoxFHClick();
    void ListBoxTHClick();
    void ListBoxRHClick();
    // Showing a round page (tab 1..3) brings up the row of its selections.
    void roundPageShown(int index);
    void DBEditFHitVChange();
    void DBEditFHgrVChange();
    void DBEditTHitVChange();
    void DBEditTHgrVChange();
    void DBEditRHitVChange();
    void DBEditRHgrVChange();
    void BitBtnOKClick();

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The controls of one of the pages "Flop", "Turn" and "River".
    struct RoundPage
    {
        QString round;  // "Flop", "Turn" or "River": the `Rnd` of its rows
        QString chance; // "Turn (%)", "River (%)" or "You (%)": what the page's YouPct is
        QWidget *page = nullptr;
        QListWidget *handTypes = nullptr;
        QListWidget *opponents = nullptr;
        QComboBox *hitE = nullptr;
        QComboBox *hitL = nullptr;
        QComboBox *hitS = nullptr;
        QComboBox *hgrL = nullptr;
        QComboBox *hgrS = nullptr;
        QLineEdit *hitV = nullptr;
        QLineEdit *hgrV = nullptr;
        QLabel *hitSLabel = nullptr;
        QLabel *hgrSLabel = nullptr;
    };
    enum RoundIndex
    {
        FlopPage,
        TurnPage,
        RiverPage
    };

    QWidget *buildPreFlopPage();
    QWidget *buildRoundPage(RoundPage &page, QChar letter);
    QComboBox *actionCombo(const QString &name, const QString &spoken, QWidget *parent);
    void bindFields();
    void connectSignals();
    void locateRoundRow(const RoundPage &page);
    // Clamps the threshold to 1..99 and repeats it in the caption of the row below.
    void thresholdChanged(QLineEdit *edit, QLabel *label, const QString &prefix);
    // The first threshold edit whose text is no whole number, or nullptr.
    QLineEdit *unreadableThreshold() const;
    void placeOnScreen();

    DbTable &m_handSet;
    DbTable &m_typeSet;
    RowBinder *m_handSetFields = nullptr;
    RowBinder *m_typeSetFields = nullptr;

    QTabWidget *PageControl = nullptr;
    QWidget *TabSheetPreFlop = nullptr;
    QListWidget *ListBoxPF = nullptr;
    std::array<QComboBox *, 6> preFlopCombos_{}; // DBComboBoxPFCl .. DBComboBoxPFAI
    std::array<RoundPage, 3> rounds_;
    QPushButton *BitBtnOK = nullptr;
    QPushButton *BitBtnCancel = nullptr;
};
