// SPDX-License-Identifier: GPL-3.0-or-later
// The game history graph window: reads its combo boxes, has graphcounts count the chosen view,
// and draws the bars with their labels on a program-set left axis.
#include "tools/gamehistorygraph.h"

#include "app/dialogparts.h"

#include "app/busycursor.h"
#include "app/commandguard.h"
#include "app/prompts.h"
#include "db/dbtable.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHorizontalStackedBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace tallowby;

TFormGraph *FormGraph = nullptr;

namespace {

constexpr double kBarThickness = 0.35; // of the space each bar has
constexpr double kRightMarginShare = 0.08;
constexpr int kTypeListLines = 15;

QComboBox *editableCombo(const QString &name, const QString &spoken, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(spoken);
    combo->setEditable(true);
    // Typed text is only ever checked against the list, never added to it.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setDuplicatesEnabled(false);
    return combo;
}

// The width at which the longest item shows whole in the box's text field.
int widthForItems(const QComboBox &combo)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    constexpr int kTrialWidth = 200;
    option.rect = QRect(0, 0, kTrialWidth, combo.sizeHint().height());
    const int field =
        combo.style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo)
            .width();
    int widest = 0;
    for (int item = 0; item < combo.count(); ++item)
        widest = std::max(widest, combo.fontMetrics().horizontalAdvance(combo.itemText(item)));
    // The text field's own margins of 2 pixels on either side and its cursor.
    return widest + 2 * 2 + 1 + kTrialWidth - field;
}

// A step of 1, 2 or 5 times a power of ten that divides 0..longest into at most five parts.
double niceStep(double longest)
{
    if (longest <= 0)
        return 1;
    const double magnitude = std::pow(10.0, std::floor(std::log10(longest / 5)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (longest / (factor * magnitude) <= 5)
            return factor * magnitude;
    }
    return 10 * magnitude;
}

// The item whose text the box shows, compared without regard to case; -1 for none.
int matchingItem(const QComboBox &combo)
{
    return combo.findText(combo.currentText(), Qt::MatchFixedString);
}

} // namespace

TFormGraph::TFormGraph(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setObjectName(QStringLiteral("FormGraph"));
    setWindowTitle(tr("Game History Graph"));
    setAccessibleName(tr("Game History Graph"));
    buildControls();
    buildChart();
    wireSignals();
    // The design size, or what a larger font needs.
    setFixedSize(QSize(kClientWidth, kClientHeight).expandedTo(minimumSizeHint()));
}

TFormGraph::~TFormGraph()
{
    // Closing takes the focus out of the boxes, which would otherwise report an edit to a
    // window that is half gone.
    ComboBoxMode->lineEdit()->disconnect(this);
    ComboBoxType->lineEdit()->disconnect(this);
}

void TFormGraph::buildControls()
{
    ComboBoxMode = editableCombo(QStringLiteral("ComboBoxMode"), tr("Graph mode"), this);
    ComboBoxMode->addItems(graphModeNames());
    ComboBoxMode->setCurrentIndex(0);
    m_modeText = ComboBoxMode->currentText();

    ComboBoxType = editableCombo(QStringLiteral("ComboBoxType"), tr("Graph type"), this);
    ComboBoxType->setMaxVisibleItems(kTypeListLines);
    for (const GraphType type : graphTypesOf(m_mode))
        ComboBoxType->addItem(graphTypeName(type));
    ComboBoxType->setCurrentIndex(0);
    m_typeText = ComboBoxType->currentText();
    ComboBoxType->setMinimumContentsLength(14);
    // As wide as the longest item at any font.
    for (QComboBox *combo : {ComboBoxMode, ComboBoxType})
        combo->setMinimumWidth(widthForItems(*combo));

    CheckBoxAvg = new QCheckBox(tr("Percent (%)"), this);
    CheckBoxAvg->setObjectName(QStringLiteral("CheckBoxAvg"));
    CheckBoxAvg->setAccessibleName(tr("Percent"));
    CheckBoxAvg->setAccessibleDescription(
        tr("Shows each bar as a share of all counted in percent"));

    auto *modeLabel = new QLabel(tr("Graph Mode:"), this);
    modeLabel->setBuddy(ComboBoxMode);
    auto *typeLabel = new QLabel(tr("Graph Type:"), this);
    typeLabel->setBuddy(ComboBoxType);

    ScrollBarGS = new QScrollBar(Qt::Vertical, this);
    ScrollBarGS->setObjectName(QStringLiteral("ScrollBarGS"));
    ScrollBarGS->setAccessibleName(tr("Scroll the bars"));
    ScrollBarGS->setSingleStep(1);
    ScrollBarGS->setPageStep(1);

    // Made with its chart: a view made without one makes a chart of its own that setChart()
    // would then let go of without deleting it.
    ChartGameStats = new QChart;
    chartView = new QChartView(ChartGameStats, this); // the view owns the chart
    chartView->setObjectName(QStringLiteral("ChartGameStats"));
    chartView->setAccessibleName(tr("Game history chart"));
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->installEventFilter(this);

    auto *strip = new QHBoxLayout;
    strip->addWidget(modeLabel);
    strip->addWidget(ComboBoxMode);
    strip->addSpacing(10);
    strip->addWidget(typeLabel);
    strip->addWidget(ComboBoxType);
    strip->addSpacing(10);
    strip->addWidget(CheckBoxAvg);
    strip->addStretch(1);

    auto *chartRow = new QHBoxLayout;
    chartRow->setSpacing(0);
    chartRow->addWidget(chartView, 1);
    chartRow->addWidget(ScrollBarGS);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(strip);
    layout->addLayout(chartRow, 1);
}

void TFormGraph::buildChart()
{
    ChartGameStats->setObjectName(QStringLiteral("ChartGameStats"));
    ChartGameStats->legend()->hide();
    ChartGameStats->setBackgroundRoundness(0);
    ChartGameStats->setDropShadowEnabled(false);
    ChartGameStats->setPlotAreaBackgroundVisible(false);

    HorizBarSeries1 = new QHorizontalStackedBarSeries(ChartGameStats);
    HorizBarSeries1->setObjectName(QStringLiteral("HorizBarSeries1"));
    HorizBarSeries1->setBarWidth(kBarThickness);
    HorizBarSeries1->setLabelsVisible(false);
    ChartGameStats->addSeries(HorizBarSeries1);

    // Bar k stands at k on a numeric axis that carries the bar labels, so the program can show
    // any part of it.
    leftAxis = new QCategoryAxis(ChartGameStats);
    leftAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    leftAxis->setGridLineVisible(false);
    leftAxis->setTruncateLabels(false);
    leftAxis->setStartValue(0);
    ChartGameStats->addAxis(leftAxis, Qt::AlignLeft);
    HorizBarSeries1->attachAxis(leftAxis);

    bottomAxis = new QValueAxis(ChartGameStats);
    bottomAxis->setLabelFormat(QStringLiteral("%g"));
    ChartGameStats->addAxis(bottomAxis, Qt::AlignBottom);
    HorizBarSeries1->attachAxis(bottomAxis);

    const GraphRanges ranges = graphRangesOf(GraphType::Card);
    setLeftAxisRange(0, ranges.axisMax);
    ScrollBarGS->setRange(0, ranges.scrollMax);
    ScrollBarGS->setValue(ranges.scrollMax);
}

void TFormGraph::wireSignals()
{
    connect(ComboBoxMode, &QComboBox::activated, this, &TFormGraph::ComboBoxModeChange);
    connect(ComboBoxMode->lineEdit(), &QLineEdit::editingFinished, this, &TFormGraph::modeEdited);
    connect(ComboBoxType, &QComboBox::activated, this, &TFormGraph::ComboBoxTypeChange);
    connect(ComboBoxType->lineEdit(), &QLineEdit::editingFinished, this, &TFormGraph::typeEdited);
    connect(CheckBoxAvg, &QCheckBox::clicked, this, &TFormGraph::CheckBoxAvgClick);
    connect(ScrollBarGS, &QScrollBar::valueChanged, this, &TFormGraph::ScrollBarGSChange);
}

void TFormGraph::setTables(DbTable *gameHistory, DbTable *handHistory)
{
    m_gameHistory = gameHistory;
    m_handHistory = handHistory;
}

AxisRange TFormGraph::leftAxisRange() const
{
    return {leftAxis->min(), leftAxis->max()};
}

void TFormGraph::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    if (!event->spontaneous())
        FormShow();
}

void TFormGraph::FormShow()
{
    // A text typed last time and never accepted would leave the previous opening's bars on
    // the screen; the boxes go back to their last valid choices, so every opening counts afresh.
    if (ComboBoxMode->currentText() != graphModeNames().value(int(m_mode))) {
        ComboBoxMode->setCurrentIndex(int(m_mode));
        ComboBoxMode->setEditText(ComboBoxMode->itemText(int(m_mode)));
        m_modeText = ComboBoxMode->currentText();
    }
    if (!selectedType()) {
        ComboBoxType->setEditText(
            ComboBoxType->itemText(std::max(0, ComboBoxType->currentIndex())));
        m_typeText = ComboBoxType->currentText();
    }
    ComboBoxTypeChange();
}

void TFormGraph::modeEdited()
{
    if (ComboBoxMode->currentText() != m_modeText)
        ComboBoxModeChange();
}

void TFormGraph::typeEdited()
{
    if (ComboBoxType->currentText() != m_typeText)
        ComboBoxTypeChange();
}

void TFormGraph::ComboBoxModeChange()
{
    m_modeText = ComboBoxMode->currentText();
    const int item = matchingItem(*ComboBoxMode);
    if (item < 0) {
        prompts().error(this, tr("Invalid option"));
        return;
    }
    ComboBoxMode->setCurrentIndex(item);
    m_modeText = ComboBoxMode->currentText();
    m_mode = GraphMode(item);

    ComboBoxType->clear();
    ScrollBarGS->setVisible(true);
    for (const GraphType type : graphTypesOf(m_mode))
        ComboBoxType->addItem(graphTypeName(type));
    ComboBoxType->setCurrentIndex(0);
    ComboBoxTypeChange();
}

std::optional<GraphType> TFormGraph::selectedType() const
{
    const int item = matchingItem(*ComboBoxType);
    const QList<GraphType> types = graphTypesOf(m_mode);
    if (item < 0 || item >= types.size())
        return std::nullopt;
    return types.at(item);
}

void TFormGraph::ComboBoxTypeChange()
{
    m_typeText = ComboBoxType->currentText();
    const std::optional<GraphType> type = selectedType();
    if (!type)
        return;
    ComboBoxType->setCurrentIndex(matchingItem(*ComboBoxType));
    m_typeText = ComboBoxType->currentText();

    const GraphRanges ranges = graphRangesOf(*type);
    {
        // The thumb goes to the bottom; the axis is set right after, so the scroll handler
        // has nothing to do here.
        const QSignalBlocker quiet(ScrollBarGS);
        ScrollBarGS->setRange(0, ranges.scrollMax);
        ScrollBarGS->setValue(ranges.scrollMax);
    }
    setLeftAxisRange(0, ranges.axisMax);
    rebuild();
}

void TFormGraph::CheckBoxAvgClick()
{
    rebuild();
}

void TFormGraph::ScrollBarGSChange()
{
    const AxisRange shown = scrolledAxisRange(leftAxis->max() - leftAxis->min(),
                                              ScrollBarGS->maximum(), ScrollBarGS->value());
    setLeftAxisRange(shown.min, shown.max);
}

void TFormGraph::rebuild()
{
    m_bars.clear();
    if (const std::optional<GraphType> type = selectedType()) {
        DbTable *table = m_mode == GraphMode::HandHistory ? m_handHistory : m_gameHistory;
        GraphTally tally(*type);
        // A table that cannot be read is reported; the chart then shows the bars at 0.
        if (table)
            runCommand(this, [&tally, table, type] {
                const BusyCursor busy;
                tally = tallyTable(*table, *type);
            });
        m_bars = tally.bars(CheckBoxAvg->isChecked());
    }
    drawBars();
}

void TFormGraph::drawBars()
{
    const AxisRange shown = leftAxisRange();
    HorizBarSeries1->clear();

    // Every bar is one slot of the stack, at its own height; a set per colour carries the
    // bars of that colour and zeros elsewhere, so each bar shows in its fixed colour.
    QList<QBarSet *> sets;
    QList<QColor> colours;
    const int slots = int(m_bars.size()) + 1; // slot 0 stays empty: bar k stands at k
    double longest = 0;
    for (const GraphBar &bar : m_bars) {
        qsizetype set = colours.indexOf(bar.colour);
        if (set < 0) {
            auto *barSet = new QBarSet(bar.colour.name());
            barSet->setColor(bar.colour);
            barSet->setBorderColor(bar.colour.darker(130));
            barSet->append(QList<qreal>(slots, 0));
            sets.append(barSet);
            colours.append(bar.colour);
            set = sets.size() - 1;
        }
        sets[set]->replace(bar.height, bar.value);
        longest = std::max(longest, bar.value);
    }
    HorizBarSeries1->append(sets);

    // Counts step by whole games.
    const double step =
        CheckBoxAvg->isChecked() ? niceStep(longest) : std::max(1.0, niceStep(longest));
    bottomAxis->setTickType(QValueAxis::TicksDynamic);
    bottomAxis->setTickAnchor(0);
    bottomAxis->setTickInterval(step);
    bottomAxis->setRange(0, std::max(1.0, std::ceil(longest / step)) * step);
    setLeftAxisRange(shown.min, shown.max);
}

void TFormGraph::setLeftAxisRange(double min, double max)
{
    leftAxis->setRange(min, max);
    // The axis would draw the labels of bars scrolled out of view below the chart; it only
    // carries those in view.
    for (const QString &label : leftAxis->categoriesLabels())
        leftAxis->remove(label);
    leftAxis->setStartValue(min - 1);
    for (const GraphBar &bar : m_bars) {
        if (bar.height >= min && bar.height <= max)
            leftAxis->append(bar.label, bar.height);
    }
}

bool TFormGraph::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == chartView && event->type() == QEvent::Resize)
        keepRightMargin();
    return QDialog::eventFilter(watched, event);
}

void TFormGraph::keepRightMargin()
{
    QMargins margins = ChartGameStats->margins();
    margins.setRight(qRound(chartView->width() * kRightMarginShare));
    ChartGameStats->setMargins(margins);
}
