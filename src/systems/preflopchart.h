// SPDX-License-Identifier: GPL-3.0-or-later
// The "Chart" page of the system editor: the starting hands as a 13 x 13 grid for one
// opponents' action, each cell filled with the colour of its action, beside a legend of the
// seven player's actions that is also the choice of the action to paint with. Clicking a
// cell, dragging across cells or Shift+clicking (or Space after choosing cells with the
// keyboard) is one paint stroke: the page reports it, and the dialog writes it.
#pragma once

#include <QString>
#include <QStringList>
#include <QTableView>
#include <QWidget>

class DbTable;
class PreFlopChartModel;
class QButtonGroup;
class QComboBox;
class QLabel;

// The grid itself: a selection made with one press of the mouse, or Space, ends a stroke.
class ChartView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

Q_SIGNALS:
    void strokeEnded();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

class PreFlopChart : public QWidget
{
    Q_OBJECT

public:
    // The table must outlive the page.
    explicit PreFlopChart(DbTable &handSet, QWidget *parent = nullptr);

    PreFlopChartModel &model() const { return *m_model; }
    // The `PreFlop` column on view ("OppCl" .. "OppAI").
    QString column() const;
    // The player's action painted with.
    QString paintAction() const;
    void setPaintAction(int index);
    // A page of a file that cannot be written shows the chart but paints nothing.
    void setReadOnly(bool readOnly);
    // One line under the chart: what a stroke did or why it did nothing.
    void setNote(const QString &text);

Q_SIGNALS:
    // The user painted these hands (names as the table holds them) with `action`.
    void stroke(const QStringList &hands, const QString &action);

private:
    void strokeEnded();
    void opponentsChosen(int index);

    PreFlopChartModel *m_model = nullptr;
    ChartView *m_view = nullptr;
    QComboBox *m_opponents = nullptr;
    QButtonGroup *m_actions = nullptr;
    QLabel *m_note = nullptr;
    bool m_readOnly = false;
};
