// SPDX-License-Identifier: GPL-3.0-or-later
// The "Edit System" dialog: edits the loaded betting system in place. The "Pre-Flop" page sets
// the action for each starting hand against each opponents' action; the "Flop", "Turn" and
// "River" pages set, for each hand type and opponents' action, the actions by thresholds on the
// chance of making the hand and on the chance that an opponent holds better; the "Chart" page
// paints the pre-flop actions of many hands at once. Every page names the row its fields
// belong to, and a page that names none shows its fields empty and closed to input. Moving to
// another row stores the row being left; when that fails the dialog stays on the row, with the
// user's entries on view. OK stores the rows on view, Cancel drops their unstored changes;
// Ctrl+Z undoes chart strokes and "Apply to..." while the dialog is open.
#pragma once

#include "systems/rowchanges.h"

#include <QDialog>
#include <QSize>
#include <QString>

#include <array>
#include <vector>

class DbTable;
class PreFlopChart;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;
class RowBinder;
enum class ApplyScope;

class TFormEditSystem : public QDialog
{
    Q_OBJECT

public:
    // The design size of the area inside the border; a larger font makes it grow, and the
    // "Chart" page widens and heightens the dialog while it is on view.
    static constexpr int kClientWidth = 510;
    static constexpr int kClientHeight = 285;
    enum Page
    {
        PreFlopPage,
        FlopPage,
        TurnPage,
        RiverPage,
        ChartPage
    };

    // The two tables of the loaded system; both must outlive the dialog. A system whose file
    // was opened read-only is shown but cannot be changed.
    TFormEditSystem(DbTable &handSet, DbTable &typeSet, QWidget *parent = nullptr);
    ~TFormEditSystem() override;

    void FormShow();
    void ListBoxPFClick();
    void ListBoxFHClick();
    void ListBoxTHClick();
    void ListBoxRHClick();
    // Showing a page stores the row of the page left and brings up the row of the new one.
    void roundPageShown(int index);
    // A threshold edit finished (focus left, Enter): clamped to 1..99 and repeated below.
    void DBEditFHitVChange();
    void DBEditFHgrVChange();
    void DBEditTHitVChange();
    void DBEditTHgrVChange();
    void DBEditRHitVChange();
    void DBEditRHgrVChange();
    void BitBtnOKClick();
    // Undoes the last chart stroke or "Apply to..." (Ctrl+Z).
    void undoLast();
    bool canUndo() const { return !m_undo.empty(); }

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

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
        QLabel *heading = nullptr;
        QLabel *note = nullptr;
        QToolButton *applyTo = nullptr;
        RowBinder *fields = nullptr;
        // The list entries whose row is on view ("" when none).
        QString shownType;
        QString shownOpponents;
    };
    struct UndoEntry
    {
        DbTable *table;
        RowChanges changes;
    };

    QWidget *buildPreFlopPage();
    QWidget *buildRoundPage(RoundPage &page, QChar letter);
    QComboBox *actionCombo(const QString &name, const QString &spoken, QWidget *parent);
    void guardWheel(QWidget *control);
    void bindFields();
    void connectSignals();

    RoundPage *roundPage(int index);
    void roundSelectionChanged(RoundPage &page);
    void showRoundRow(RoundPage &page);
    void restoreRoundSelection(RoundPage &page);
    static QString rowName(const RoundPage &page, const QString &type, const QString &opponents);
    void showPreFlopRow(const QString &entry, bool found);
    // Stores what the page shows; false when a threshold is unreadable or the store failed.
    bool leavePage(int index);
    bool finishThresholds(RoundPage &page, bool report);
    bool finishThreshold(RoundPage &page, QLineEdit *edit, bool report);
    void thresholdShown(QLineEdit *edit, QLabel *label, const QString &prefix);
    void fitToPage(int index);

    void paintStroke(const QStringList &hands, const QString &action);
    void applyTo(RoundPage &page, ApplyScope scope);
    bool writeChanges(DbTable &table, const RowChanges &changes);

    DbTable &m_handSet;
    DbTable &m_typeSet;
    bool m_readOnly = false;
    RowBinder *m_handSetFields = nullptr;

    QTabWidget *PageControl = nullptr;
    QWidget *TabSheetPreFlop = nullptr;
    QListWidget *ListBoxPF = nullptr;
    QLabel *LabelPFRow = nullptr;
    QLabel *LabelPFNote = nullptr;
    QString m_shownHand; // the Pre-Flop entry whose row is on view ("" when none)
    std::array<QComboBox *, 6> preFlopCombos_{}; // DBComboBoxPFCl .. DBComboBoxPFAI
    std::array<RoundPage, 3> rounds_;
    PreFlopChart *m_chart = nullptr;
    QLabel *LabelReadOnly = nullptr;
    QPushButton *BitBtnOK = nullptr;
    QPushButton *BitBtnCancel = nullptr;

    QSize m_designSize;
    int m_shownPage = PreFlopPage;
    bool m_restoring = false; // selections and pages put back by the dialog itself
    QLineEdit *m_reporting = nullptr;
    std::vector<UndoEntry> m_undo;
};
