// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's pre-flop chart page.
#include "systems/preflopchart.h"

#include "systems/actioncolours.h"
#include "systems/preflopchartmodel.h"
#include "systems/systemvocabulary.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Cells are painted in their action's colour whatever the palette; a chosen cell gets a frame.
class ChartCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        painter->save();
        const QRect cell = option.rect;
        painter->fillRect(cell, index.data(Qt::BackgroundRole).value<QColor>());
        const QColor text = index.data(Qt::ForegroundRole).value<QColor>();
        painter->setPen(text);
        painter->drawText(cell, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_Selected) {
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
            painter->drawRect(cell.adjusted(1, 1, -1, -1));
            painter->setPen(QPen(text, 1));
            painter->drawRect(cell.adjusted(3, 3, -4, -4));
        }
        painter->restore();
    }
};

QIcon swatch(const QString &action, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(actionColours(action).fill);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, size - 1, size - 1);
    return QIcon(pixmap);
}

} // namespace

void ChartView::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT strokeEnded();
}

void ChartView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        Q_EMIT strokeEnded();
        return;
    }
    QTableView::keyPressEvent(event);
}

PreFlopChart::PreFlopChart(DbTable &handSet, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetChart"));
    setAccessibleName(tr("Chart"));

    m_model = new PreFlopChartModel(handSet, this);

    auto *opponentsLabel = new QLabel(tr("Opponents:"), this);
    m_opponents = new QComboBox(this);
    m_opponents->setObjectName(QStringLiteral("ComboBoxChartOpps"));
    m_opponents->setAccessibleName(tr("Opponents' action shown in the chart"));
    m_opponents->setFocusPolicy(Qt::StrongFocus);
    // "Call" .. "Raise All-In", the opponents' actions that have a column.
    for (int k = 1; k < opponentsActions().size(); ++k)
        m_opponents->addItem(opponentsActions().at(k), preFlopColumnFor(k));
    opponentsLabel->setBuddy(m_opponents);

    m_view = new ChartView(this);
    m_view->setObjectName(QStringLiteral("TableViewChart"));
    m_view->setAccessibleName(tr("Starting hands chart"));
    m_view->setAccessibleDescription(
        tr("Pairs on the diagonal, suited hands above it, offsuit hands below"));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new ChartCellDelegate(m_view));
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setShowGrid(true);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setWordWrap(false);
    m_view->setCornerButtonEnabled(false);
    for (QAbstractButton *corner : m_view->findChildren<QAbstractButton *>())
        corner->setAccessibleName(tr("Chart corner"));
    const QFontMetrics metrics = m_view->fontMetrics();
    const int width = metrics.horizontalAdvance(QStringLiteral("AKo")) + 10;
    const int height = metrics.height() + 6;
    for (QHeaderView *header : {m_view->horizontalHeader(), m_view->verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
    }
    m_view->horizontalHeader()->setDefaultSectionSize(width);
    m_view->horizontalHeader()->setMinimumSectionSize(width);
    m_view->verticalHeader()->setDefaultSectionSize(height);
    m_view->verticalHeader()->setMinimumSectionSize(height);
    m_view->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_view->verticalHeader()->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("W")) + 10);
    m_view->horizontalHeader()->setFixedHeight(height);
    const int frame = 2 * m_view->frameWidth();
    m_view->setFixedSize(m_view->verticalHeader()->width() + 13 * width + frame,
                         m_view->horizontalHeader()->height() + 13 * height + frame);

    auto *legend = new QVBoxLayout;
    legend->setSpacing(2);
    auto *legendTitle = new QLabel(tr("Paint with:"), this);
    legend->addWidget(legendTitle);
    m_actions = new QButtonGroup(this);
    m_actions->setExclusive(true);
    const int iconSize = metrics.height();
    for (int a = 0; a < playerActions().size(); ++a) {
        const QString &action = playerActions().at(a);
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("ToolButtonChart%1").arg(a));
        button->setText(action);
        button->setAccessibleName(tr("Paint with %1").arg(action));
        button->setIcon(swatch(action, iconSize));
        button->setIconSize(QSize(iconSize, iconSize));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_actions->addButton(button, a);
        legend->addWidget(button);
    }
    m_actions->button(0)->setChecked(true);
    legendTitle->setBuddy(m_actions->button(0));
    legend->addStretch(1);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("LabelChartNote"));
    m_note->setWordWrap(true);
    m_note->setText(tr("Click, drag or Shift+click hands to paint them; Ctrl+Z undoes a stroke."));

    auto *top = new QHBoxLayout;
    top->addWidget(opponentsLabel);
    top->addWidget(m_opponents);
    top->addStretch(1);
    auto *left = new QVBoxLayout;
    left->setSpacing(4);
    left->addLayout(top);
    left->addWidget(m_view);
    left->addWidget(m_note);
    left->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(10);
    layout->addLayout(left);
    layout->addLayout(legend);
    m_note->setMaximumWidth(m_view->width());

    connect(m_view, &ChartView::strokeEnded, this, &PreFlopChart::strokeEnded);
    connect(m_opponents, &QComboBox::currentIndexChanged, this, &PreFlopChart::opponentsChosen);
}

QString PreFlopChart::column() const
{
    return m_model->column();
}

QString PreFlopChart::paintAction() const
{
    const int chosen = m_actions->checkedId();
    return chosen >= 0 ? playerActions().at(chosen) : QString();
}

void PreFlopChart::setPaintAction(int index)
{
    if (QAbstractButton *button = m_actions->button(index))
        button->setChecked(true);
}

void PreFlopChart::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    for (QAbstractButton *button : m_actions->buttons())
        button->setEnabled(!readOnly);
}

void PreFlopChart::setNote(const QString &text)
{
    m_note->setText(text);
}

void PreFlopChart::opponentsChosen(int index)
{
    m_model->setColumn(m_opponents->itemData(index).toString());
}

void PreFlopChart::strokeEnded()
{
    if (m_readOnly)
        return;
    QStringList hands;
    for (const QModelIndex &index : m_view->selectionModel()->selectedIndexes()) {
        const QString hand = index.data(PreFlopChartModel::HandRole).toString();
        if (m_model->hasRow(hand))
            hands.append(hand);
    }
    if (!hands.isEmpty())
        Q_EMIT stroke(hands, paintAction());
}
