// SPDX-License-Identifier: GPL-3.0-or-later
// The window checks: text room, contrast and what a screen reader is told.
#include "windowchecks.h"

#include "panel/hintline.h"
#include "panel/stringgrid.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTableView>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// Children shown in this window, not in a window of their own (a combo's list, a child window).
QList<const QWidget *> shownControls(const QWidget *window)
{
    QList<const QWidget *> shown;
    const auto children = window->findChildren<QWidget *>();
    for (const QWidget *child : children) {
        if (child->window() == window && child->isVisibleTo(window))
            shown.append(child);
    }
    return shown;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void roomFault(QStringList &faults, const QWidget *w, const QString &text, int need, int room,
               const char *what = "text")
{
    faults << QStringLiteral("%1 %2: %3 %4 px, room %5 px")
                  .arg(describe(w), quoted(text), QLatin1String(what))
                  .arg(need)
                  .arg(room);
}

int widthOf(const QFontMetrics &metrics, const QString &text, bool mnemonic)
{
    return mnemonic ? metrics.size(Qt::TextShowMnemonic, text).width()
                    : metrics.size(0, text).width();
}

// ---- texts ----

void checkLabel(const QLabel *label, QStringList &faults)
{
    const QString text = label->text();
    if (text.isEmpty())
        return;
    const QFontMetrics metrics = label->fontMetrics();
    if (const auto *line = qobject_cast<const HintLine *>(label)) {
        // Cut with "…" on purpose; the whole text must then be in the tooltip.
        const QString tail = text.section(QLatin1Char(' '), -1);
        if (!line->fits() && !line->toolTip().contains(tail))
            faults << describe(label) + QStringLiteral(" is cut without its text in the tooltip");
        return;
    }
    QRect room = label->contentsRect();
    const int margin = label->margin();
    room.adjust(margin, margin, -margin, -margin);
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = metrics.horizontalAdvance(QLatin1Char('x')) / 2 - margin;
    if (indent > 0)
        room.setWidth(room.width() - indent);

    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich) {
        QTextDocument document;
        document.setDefaultFont(label->font());
        document.setDocumentMargin(0);
        document.setHtml(text);
        if (label->wordWrap()) {
            document.setTextWidth(room.width());
            const int need = int(std::ceil(document.size().height()));
            if (need > room.height())
                roomFault(faults, label, text, need, room.height(), "height");
        } else {
            const int need = int(std::ceil(document.idealWidth()));
            if (need > room.width())
                roomFault(faults, label, text, need, room.width());
        }
        return;
    }
    const bool mnemonic = label->buddy() != nullptr;
    if (label->wordWrap()) {
        const QRect wrapped = metrics.boundingRect(
            QRect(0, 0, room.width(), 100000), Qt::TextWordWrap | int(label->alignment()), text);
        if (wrapped.height() > room.height())
            roomFault(faults, label, text, wrapped.height(), room.height(), "height");
        return;
    }
    const QSize need = mnemonic ? metrics.size(Qt::TextShowMnemonic, text) : metrics.size(0, text);
    if (need.width() > room.width())
        roomFault(faults, label, text, need.width(), room.width());
    if (need.height() > room.height())
        roomFault(faults, label, text, need.height(), room.height(), "height");
}

void checkButton(const QAbstractButton *button, QStringList &faults)
{
    const QString text = button->text();
    if (text.isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement contents;
    if (const auto *push = qobject_cast<const QPushButton *>(button)) {
        contents = QStyle::SE_PushButtonContents;
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isFlat())
            option.features |= QStyleOptionButton::Flat;
    } else if (qobject_cast<const QRadioButton *>(button)) {
        contents = QStyle::SE_RadioButtonContents;
    } else if (qobject_cast<const QCheckBox *>(button)) {
        contents = QStyle::SE_CheckBoxContents;
    } else {
        return;
    }
    const QRect room = button->style()->subElementRect(contents, &option, button);
    const QFontMetrics metrics = button->fontMetrics();
    const int icon = option.icon.isNull() ? 0 : option.iconSize.width() + 4;
    const int need = widthOf(metrics, text, true) + icon;
    if (need > room.width())
        roomFault(faults, button, text, need, room.width());
    if (metrics.height() > room.height())
        roomFault(faults, button, text, metrics.height(), room.height(), "height");
}

// The room inside a line edit for its text.
int lineEditRoom(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->contentsRect();
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                               .marginsRemoved(edit->textMargins());
    // Two pixels of the line edit's own margin on either side.
    return contents.width() - 2 * 2;
}

void checkLineEditTexts(const QLineEdit *edit, const QWidget *owner, const QStringList &texts,
                        QStringList &faults)
{
    const int room = lineEditRoom(edit);
    const QFontMetrics metrics = edit->fontMetrics();
    for (const QString &text : texts) {
        if (text.isEmpty())
            continue;
        const int need = metrics.horizontalAdvance(text);
        if (need > room)
            roomFault(faults, owner, text, need, room);
    }
    if (metrics.height() > edit->contentsRect().height())
        roomFault(faults, owner, edit->text(), metrics.height(), edit->contentsRect().height(),
                  "height");
}

void checkComboBox(const QComboBox *combo, QStringList &faults)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.iconSize = combo->iconSize();
    option.subControls = QStyle::SC_All;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    const int room = combo->isEditable() ? field.width() - 2 * 2 : field.width() - 2;
    const QFontMetrics metrics = combo->fontMetrics();
    QStringList texts;
    for (int item = 0; item < combo->count(); ++item)
        texts << combo->itemText(item);
    texts << combo->currentText();
    for (const QString &text : std::as_const(texts)) {
        const int need = metrics.horizontalAdvance(text);
        if (need > room)
            roomFault(faults, combo, text, need, room);
    }
}

QString numberText(const QLocale &locale, bool groups, double value, int decimals)
{
    QLocale shown = locale;
    if (!groups)
        shown.setNumberOptions(shown.numberOptions() | QLocale::OmitGroupSeparator);
    return decimals < 0 ? shown.toString(qlonglong(value)) : shown.toString(value, 'f', decimals);
}

void checkSpinBox(const QAbstractSpinBox *spin, QStringList &faults)
{
    const QLineEdit *edit = spin->findChild<QLineEdit *>();
    if (!edit)
        return;
    QStringList texts{spin->text()};
    if (const auto *whole = qobject_cast<const QSpinBox *>(spin)) {
        for (const int value : {whole->minimum(), whole->maximum()})
            texts << whole->prefix() +
                         numberText(whole->locale(), whole->isGroupSeparatorShown(), value, -1) +
                         whole->suffix();
    } else if (const auto *real = qobject_cast<const QDoubleSpinBox *>(spin)) {
        for (const double value : {real->minimum(), real->maximum()})
            texts << real->prefix() +
                         numberText(real->locale(), real->isGroupSeparatorShown(), value,
                                    real->decimals()) +
                         real->suffix();
    }
    checkLineEditTexts(edit, spin, texts, faults);
}

void checkGroupBox(const QGroupBox *box, QStringList &faults)
{
    if (box->title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = Qt::Alignment(box->alignment());
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    option.features = box->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    if (!box->rect().contains(label))
        roomFault(faults, box, box->title(), label.right() + 1, box->width(), "title");
}

void checkTabBar(const QTabBar *bar, QStringList &faults)
{
    const QFontMetrics metrics = bar->fontMetrics();
    const int frame = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int tab = 0; tab < bar->count(); ++tab) {
        const int icon = bar->tabIcon(tab).isNull() ? 0 : bar->iconSize().width() + 4;
        const int need = widthOf(metrics, bar->tabText(tab), true) + frame + icon;
        const int room = bar->tabRect(tab).width();
        if (need > room)
            roomFault(faults, bar, bar->tabText(tab), need, room);
    }
}

void checkHeader(const QHeaderView *header, QStringList &faults)
{
    if (!header->isVisible() || !header->model())
        return;
    const QFontMetrics metrics = header->fontMetrics();
    const int padding =
        qobject_cast<const GridHeader *>(header)
            ? kCellTextPadding
            : 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const bool across = header->orientation() == Qt::Horizontal;
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section) || header->sectionSize(section) == 0)
            continue;
        const QString text = header->model()->headerData(section, header->orientation()).toString();
        if (text.isEmpty())
            continue;
        const int need = metrics.horizontalAdvance(text) + padding;
        const int room = across ? header->sectionSize(section) : header->width();
        if (need > room)
            roomFault(faults, header, text, need, room);
        const int height = across ? header->height() : header->sectionSize(section);
        if (metrics.height() > height)
            roomFault(faults, header, text, metrics.height(), height, "height");
    }
}

int cardCount(const QString &list)
{
    return int(list.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
}

// A cut list must end in "… +n" for the n cards it leaves out, and keep the whole list in its
// tooltip and in what a screen reader says.
void checkCardList(const QTableView *view, const QModelIndex &index, const QString &text, int room,
                   QStringList &faults)
{
    const QFontMetrics metrics = view->fontMetrics();
    const QString shown = shownCellText(index, metrics, room);
    const QString where =
        QStringLiteral("%1 cell %2,%3").arg(describe(view)).arg(index.row()).arg(index.column());
    const int need = metrics.horizontalAdvance(shown);
    if (need > room)
        roomFault(faults, view, shown, need, room);
    if (shown == text)
        return;
    static const QRegularExpression count(QStringLiteral("\u2026 \\+(\\d+)$"));
    const QRegularExpressionMatch match = count.match(shown);
    const int listed = cardCount(shown.left(match.capturedStart()));
    if (!match.hasMatch() || listed + match.captured(1).toInt() != cardCount(text))
        faults << QStringLiteral("%1: %2 does not say how many of %3 it leaves out")
                      .arg(where, quoted(shown), quoted(text));
    if (index.data(Qt::ToolTipRole).toString() != text)
        faults << where + QStringLiteral(": the tooltip lacks the whole list");
    const QString spoken = index.data(Qt::AccessibleTextRole).toString();
    if (spoken.split(QStringLiteral(", ")).size() != cardCount(text))
        faults << where + QStringLiteral(": a screen reader hears only part of the list");
}

// A cell that may be cut gives its whole text as a tooltip.
bool cutCellShowsWhole(const QTableView *view, const QModelIndex &index, const QString &text)
{
    const QRect cell = view->visualRect(index);
    QHelpEvent hover(QEvent::ToolTip, cell.center(), view->viewport()->mapToGlobal(cell.center()));
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = cell;
    option.font = view->font();
    option.fontMetrics = view->fontMetrics();
    QToolTip::hideText();
    const bool shown =
        view->itemDelegate()->helpEvent(&hover, const_cast<QTableView *>(view), option, index);
    const bool whole = shown && QToolTip::text() == text;
    QToolTip::hideText();
    return whole;
}

void checkTableCells(const QTableView *view, QStringList &faults)
{
    const QAbstractItemModel *model = view->model();
    if (!model || model->rowCount() == 0)
        return;
    // No grid of the program is meant to be scrolled sideways: a column past the right edge
    // is a column the user does not see.
    if (const int hidden = view->horizontalScrollBar()->maximum(); hidden > 0)
        faults << QStringLiteral("%1: columns %2 px wider than the view")
                      .arg(describe(view))
                      .arg(hidden);
    const bool gridCells = qobject_cast<const GridCellDelegate *>(view->itemDelegate()) != nullptr;
    const int padding =
        gridCells
            ? kCellTextPadding
            : 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    int first = std::max(view->rowAt(0), 0);
    int last = view->rowAt(view->viewport()->height() - 1);
    if (last < 0)
        last = model->rowCount() - 1;
    last = std::min(last, first + 200);
    const QFontMetrics metrics = view->fontMetrics();
    for (int row = first; row <= last; ++row) {
        if (view->isRowHidden(row))
            continue;
        if (metrics.height() > view->rowHeight(row))
            roomFault(faults, view, QStringLiteral("row %1").arg(row), metrics.height(),
                      view->rowHeight(row), "height");
        for (int column = 0; column < model->columnCount(); ++column) {
            if (view->isColumnHidden(column) || view->columnWidth(column) == 0)
                continue;
            const QModelIndex index = model->index(row, column);
            const QString text = index.data(Qt::DisplayRole).toString();
            if (text.isEmpty())
                continue;
            const int room = view->columnWidth(column) - padding;
            if (gridCells && index.data(kCardListRole).toBool()) {
                checkCardList(view, index, text, room, faults);
                continue;
            }
            const int need = metrics.horizontalAdvance(text);
            // Our grids paint what shownCellText() leaves of the text in the cell's own rectangle,
            // which the grid line narrows, and elide by exact widths, not rounded ones.
            const bool cut = gridCells
                                 ? shownCellText(index, metrics,
                                                 view->visualRect(index).width() - padding) != text
                                 : need > room;
            if (cut && !(gridCells && index.data(kMayBeCutRole).toBool() &&
                         cutCellShowsWhole(view, index, text)))
                roomFault(faults, view, text, need, room);
        }
    }
}

// ---- contrast ----

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor backgroundBehind(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    }
    return Qt::white;
}

void contrastFault(QStringList &faults, const QWidget *w, const QString &what, const QColor &ink,
                   const QColor &fill, double minimum)
{
    const double ratio = contrastOf(ink, fill);
    if (ratio < minimum)
        faults << QStringLiteral("%1 %2: %3 on %4 is %5:1")
                      .arg(describe(w), what, ink.name(), fill.name())
                      .arg(ratio, 0, 'f', 2);
}

void checkCellContrast(const QTableView *view, double minimum, QStringList &faults)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const bool gridCells = qobject_cast<const GridCellDelegate *>(view->itemDelegate()) != nullptr;
    const int rows = std::min(model->rowCount(), 200);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            QColor fill = view->palette().color(QPalette::Base);
            QColor ink = view->palette().color(QPalette::Text);
            if (gridCells) {
                const CellColours colours = cellColours(index);
                fill = colours.fill;
                ink = colours.ink;
            } else {
                if (const QVariant f = index.data(Qt::BackgroundRole); f.canConvert<QColor>())
                    fill = f.value<QColor>();
                if (const QVariant i = index.data(Qt::ForegroundRole); i.canConvert<QColor>())
                    ink = i.value<QColor>();
            }
            contrastFault(faults, view, QStringLiteral("cell %1,%2").arg(row).arg(column), ink,
                          fill, minimum);
        }
    }
}

// ---- screen readers ----

QString labelText(const QLabel *label)
{
    QString text = label->text();
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

bool isControl(const QWidget *w)
{
    // The corner of a table, which Qt draws as a button of its own.
    if (w->inherits("QTableCornerButton"))
        return false;
    if (qobject_cast<const QLineEdit *>(w))
        return !qobject_cast<const QComboBox *>(w->parentWidget()) &&
               !qobject_cast<const QAbstractSpinBox *>(w->parentWidget());
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QTableView *>(w) ||
           qobject_cast<const QTabBar *>(w);
}

QString currentText(const QWidget *w)
{
    if (const auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    if (const auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(w))
        return spin->text();
    return {};
}

} // namespace

QString describe(const QWidget *widget)
{
    if (!widget)
        return QStringLiteral("(none)");
    const QWidget *window = widget->window();
    const QString windowName =
        window->objectName().isEmpty() ? window->windowTitle() : window->objectName();
    if (widget == window)
        return windowName;
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    return windowName + QLatin1Char('/') + name;
}

namespace {

QString rectText(const QRect &r)
{
    return QStringLiteral("%1x%2 at %3,%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

// Controls that show a text of their own, and so must not lie over one another.
bool showsText(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return !label->text().isEmpty();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return !button->text().isEmpty();
    return qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
           qobject_cast<const QGroupBox *>(w) ||
           (qobject_cast<const QLineEdit *>(w) && isControl(w));
}

void checkOverlaps(const QWidget *window, const QList<const QWidget *> &controls,
                   QStringList &faults)
{
    QList<std::pair<const QWidget *, QRect>> texts;
    for (const QWidget *w : controls) {
        if (showsText(w))
            texts.append({w, QRect(w->mapTo(window, QPoint(0, 0)), w->size())});
    }
    for (qsizetype a = 0; a < texts.size(); ++a) {
        for (qsizetype b = a + 1; b < texts.size(); ++b) {
            const QWidget *first = texts[a].first;
            const QWidget *second = texts[b].first;
            // A group box holds its controls; a spin box or combo box its own text field.
            if (first->isAncestorOf(second) || second->isAncestorOf(first))
                continue;
            if (texts[a].second.intersects(texts[b].second))
                faults << QStringLiteral("%1 and %2 lie over each other (%3 and %4)")
                              .arg(describe(first), describe(second), rectText(texts[a].second),
                                   rectText(texts[b].second));
        }
    }
}

} // namespace

QStringList checkTextsFit(const QWidget *window)
{
    QStringList faults;
    const auto controls = shownControls(window);
    checkOverlaps(window, controls, faults);
    for (const QWidget *w : controls) {
        if (const auto *label = qobject_cast<const QLabel *>(w))
            checkLabel(label, faults);
        else if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            checkButton(button, faults);
        else if (const auto *combo = qobject_cast<const QComboBox *>(w))
            checkComboBox(combo, faults);
        else if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(w))
            checkSpinBox(spin, faults);
        else if (const auto *box = qobject_cast<const QGroupBox *>(w))
            checkGroupBox(box, faults);
        else if (const auto *bar = qobject_cast<const QTabBar *>(w))
            checkTabBar(bar, faults);
        else if (const auto *header = qobject_cast<const QHeaderView *>(w))
            checkHeader(header, faults);
        else if (const auto *table = qobject_cast<const QTableView *>(w))
            checkTableCells(table, faults);
        else if (const auto *edit = qobject_cast<const QLineEdit *>(w); edit && isControl(edit))
            checkLineEditTexts(edit, edit, {edit->text(), edit->placeholderText()}, faults);
    }
    return faults;
}

QString applyShotOptions()
{
    QString folder = QStringLiteral(".");
    for (const QString &argument : QApplication::arguments().mid(1)) {
        if (argument.startsWith(QLatin1String("--font="))) {
            QFont font = QApplication::font();
            font.setPointSizeF(argument.mid(7).toDouble());
            QApplication::setFont(font);
        } else if (argument == QLatin1String("--dark")) {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(darkPalette());
        } else {
            folder = argument;
        }
    }
    return folder;
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(55, 55, 58));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::PlaceholderText, QColor(170, 170, 170));
    dark.setColor(QPalette::Button, QColor(60, 60, 63));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 63));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    return dark;
}

double contrastOf(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QStringList checkContrast(const QWidget *window, double minimum)
{
    QStringList faults;
    const auto controls = shownControls(window);
    for (const QWidget *w : controls) {
        if (!w->isEnabled())
            continue;
        const QPalette &colours = w->palette();
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            if (label->text().isEmpty())
                continue;
            const QColor fill = label->autoFillBackground()
                                    ? colours.color(label->backgroundRole())
                                    : backgroundBehind(label->parentWidget());
            contrastFault(faults, label, quoted(label->text()),
                          colours.color(label->foregroundRole()), fill, minimum);
        } else if (const auto *edit = qobject_cast<const QLineEdit *>(w)) {
            contrastFault(faults, edit, quoted(edit->text()), colours.color(QPalette::Text),
                          colours.color(QPalette::Base), minimum);
        } else if (const auto *header = qobject_cast<const QHeaderView *>(w)) {
            const QColor ink = qobject_cast<const GridHeader *>(header)
                                   ? headerTextColour(colours)
                                   : colours.color(QPalette::ButtonText);
            contrastFault(faults, header, QStringLiteral("titles"), ink,
                          colours.color(QPalette::Button), minimum);
        } else if (const auto *table = qobject_cast<const QTableView *>(w)) {
            checkCellContrast(table, minimum, faults);
        } else if (const auto *button = qobject_cast<const QPushButton *>(w)) {
            contrastFault(faults, button, quoted(button->text()),
                          colours.color(QPalette::ButtonText), colours.color(QPalette::Button),
                          minimum);
        }
    }
    return faults;
}

QStringList checkAccessibility(const QWidget *window)
{
    QStringList faults;
    QAccessibleInterface *whole =
        QAccessible::queryAccessibleInterface(const_cast<QWidget *>(window));
    if (!whole) {
        faults << describe(window) + QStringLiteral(" has no accessible interface");
        return faults;
    }
    if (whole->role() != QAccessible::Window && whole->role() != QAccessible::Dialog)
        faults << QStringLiteral("%1 is announced with role %2, not as a window")
                      .arg(describe(window))
                      .arg(int(whole->role()));
    // "Print..." may be said without its dots.
    const QString caption = window->windowTitle();
    const QString spokenCaption = whole->text(QAccessible::Name);
    if (spokenCaption != caption && spokenCaption + QStringLiteral("...") != caption)
        faults << QStringLiteral("%1 is announced as %2, its caption is %3")
                      .arg(describe(window), quoted(whole->text(QAccessible::Name)),
                           quoted(window->windowTitle()));

    const auto controls = shownControls(window);
    for (const QWidget *w : controls) {
        auto *mutableWidget = const_cast<QWidget *>(w);
        if (isControl(w)) {
            QAccessibleInterface *control = QAccessible::queryAccessibleInterface(mutableWidget);
            const QString name = control ? control->text(QAccessible::Name) : QString();
            const QString description =
                control ? control->text(QAccessible::Description) : QString();
            if (name.trimmed().isEmpty())
                faults << describe(w) + QStringLiteral(" has no accessible name");
            else if (description.trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
                faults << describe(w) + QStringLiteral(" says its name %1 twice").arg(quoted(name));
            if (const auto *table = qobject_cast<const QTableView *>(w);
                table && table->model() && control && control->tableInterface()) {
                int shown = 0;
                for (int column = 0; column < table->model()->columnCount(); ++column)
                    shown += !table->isColumnHidden(column) && table->columnWidth(column) > 0;
                const int spoken = control->tableInterface()->columnCount();
                if (spoken != shown)
                    faults << QStringLiteral("%1 shows %2 columns, a screen reader counts %3")
                                  .arg(describe(w))
                                  .arg(shown)
                                  .arg(spoken);
            }
        }
        const auto *label = qobject_cast<const QLabel *>(w);
        if (!label || !label->buddy() || !label->buddy()->isVisibleTo(window))
            continue;
        QWidget *buddy = label->buddy();
        QAccessibleInterface *named = QAccessible::queryAccessibleInterface(buddy);
        const QString expected = labelText(label);
        const QString name = named ? named->text(QAccessible::Name) : QString();
        // Named by its label, or by a name of its own that says more, but never by its value.
        const bool byLabel = name.contains(expected, Qt::CaseInsensitive);
        const bool ownName = !buddy->accessibleName().isEmpty() &&
                             name == buddy->accessibleName() && name != currentText(buddy);
        if (!byLabel && !ownName)
            faults << QStringLiteral("%1 is named %2, its label says %3")
                          .arg(describe(buddy), quoted(name), quoted(expected));
        const bool hasText = qobject_cast<const QComboBox *>(buddy) ||
                             qobject_cast<const QLineEdit *>(buddy) ||
                             qobject_cast<const QAbstractSpinBox *>(buddy);
        const QString value = named ? named->text(QAccessible::Value) : QString();
        if (hasText && value != currentText(buddy))
            faults << QStringLiteral("%1 gives %2 as its value, it shows %3")
                          .arg(describe(buddy), quoted(value), quoted(currentText(buddy)));
    }
    return faults;
}
