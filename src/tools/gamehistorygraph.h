// SPDX-License-Identifier: GPL-3.0-or-later
// The "Game History Graph" window: a horizontal bar chart of the games in the Game History or
// the Hand History view, by card, starting hand, hand type, pocket pair or result, as counts or
// percentages. Created once at start; its mode, type and "Percent (%)" keep their settings
// between openings, and every opening counts the view's rows afresh.
#pragma once

#include "tools/graphcounts.h"

#include <QDialog>
#include <QList>

class DbTable;
class QCategoryAxis;
class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QHorizontalStackedBarSeries;
class QScrollBar;
class QValueAxis;

class TFormGraph : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 550;
    static constexpr int kClientHeight = 380;

    explicit TFormGraph(QWidget *parent = nullptr);
    ~TFormGraph() override;

    // The tables behind the "Game History" and "Hand History" grids.
    void setTables(DbTable *gameHistory, DbTable *handHistory);

    // The bars drawn now, lowest first, and the part of the left axis in view.
    const QList<tallowby::GraphBar> &bars() const { return m_bars; }
    tallowby::AxisRange leftAxisRange() const;

public Q_SLOTS:
    void FormShow();
    // Checks the mode, fills the type list with the mode's types and starts on the first.
    void ComboBoxModeChange();
    // Sets the axis and scroll ranges of the chosen type and counts the rows; does nothing
    // while the type's text is not one of the list's.
    void ComboBoxTypeChange();
    void CheckBoxAvgClick();
    void ScrollBarGSChange();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildChart();
    void wireSignals();
    // Typed text is acted upon when the user leaves the box or presses Enter, once per change.
    void modeEdited();
    void typeEdited();
    std::optional<tallowby::GraphType> selectedType() const;
    void rebuild();
    void drawBars();
    void setLeftAxisRange(double min, double max);
    void keepRightMargin();

    QComboBox *ComboBoxMode = nullptr;
    QComboBox *ComboBoxType = nullptr;
    QCheckBox *CheckBoxAvg = nullptr;
    QChartView *chartView = nullptr;
    QChart *ChartGameStats = nullptr;
    QHorizontalStackedBarSeries *HorizBarSeries1 = nullptr;
    QCategoryAxis *leftAxis = nullptr;
    QValueAxis *bottomAxis = nullptr;
    QScrollBar *ScrollBarGS = nullptr;

    DbTable *m_gameHistory = nullptr;
    DbTable *m_handHistory = nullptr;
    tallowby::GraphMode m_mode = tallowby::GraphMode::GameHistory;
    QString m_modeText; // the texts last acted upon
    QString m_typeText;
    QList<tallowby::GraphBar> m_bars;
};

// The one graph window, made by the start-up code.
extern TFormGraph *FormGraph;
