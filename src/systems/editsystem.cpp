// SPDX-License-Identifier: GPL-3.0-or-later
// The "Edit System" dialog.
#include "systems/editsystem.h"

#include "app/dialogparts.h"

#include "app/commandguard.h"
#include "app/prompts.h"
#include "db/dbconnection.h"
#include "db/dbtable.h"
#include "systems/applyto.h"
#include "systems/preflopchart.h"
#include "systems/preflopchartmodel.h"
#include "systems/rowbinder.h"
#include "systems/systemvocabulary.h"

#include <QFont>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace {

QString rowsText(int rows)
{
    return rows == 1 ? QObject::tr("1 row") : QObject::tr("%1 rows").arg(rows);
}

const QString kHigher = QStringLiteral("Higher (%)");
const QString kLess = QStringLiteral(" < ");

QLabel *caption(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QLabel *heading(const QString &name, QWidget *parent)
{
    QLabel *label = caption(name, QString(), parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setTextFormat(Qt::PlainText);
    // The longest row name wraps rather than push the fields out of the fixed dialog.
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

QLabel *note(const QString &name, QWidget *parent)
{
    QLabel *label = caption(name, QString(), parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    // Set apart by its slant, not by a paler colour, so that it stays readable in every palette.
    QFont slanted = label->font();
    slanted.setItalic(true);
    label->setFont(slanted);
    return label;
}

QLabel *youLabel(QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(QObject::tr("You:"), parent);
    label->setBuddy(buddy);
    return label;
}

QListWidget *listBox(const QString &name, const QString &spoken, const QStringList &items,
                     QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(spoken);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->addItems(items);
    return list;
}

// A list just wide enough for its longest entry and a scroll bar, or tall enough for all of
// its entries when `whole` is set.
void fitList(QListWidget *list, const QStringList &items, bool whole)
{
    int widest = 0;
    for (const QString &item : items)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(item));
    const int frame = 2 * list->frameWidth();
    const int scrollBar = whole ? 0 : list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list->setFixedWidth(widest + frame + scrollBar + 10);
    if (whole) {
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setFixedHeight(list->sizeHintForRow(0) * int(items.size()) + frame);
    }
}

QLineEdit *thresholdEdit(const QString &name, const QString &spoken, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(spoken);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("999")) + 12);
    return edit;
}

QString selectedText(const QListWidget *list)
{
    const QList<QListWidgetItem *> chosen = list->selectedItems();
    return chosen.isEmpty() ? QString() : chosen.front()->text();
}

// Selects the entry with the text, or none for an empty text, without telling anyone.
void selectQuietly(QListWidget *list, const QString &text)
{
    const QSignalBlocker quiet(list);
    list->clearSelection();
    const QList<QListWidgetItem *> items = list->findItems(text, Qt::MatchExactly);
    if (!text.isEmpty() && !items.isEmpty()) {
        items.front()->setSelected(true);
        list->setCurrentItem(items.front(), QItemSelectionModel::NoUpdate);
        list->scrollToItem(items.front());
    }
}

} // namespace

TFormEditSystem::TFormEditSystem(DbTable &handSet, DbTable &typeSet, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags), m_handSet(handSet), m_typeSet(typeSet),
      m_readOnly(handSet.connection().isReadOnly())
{
    setObjectName(QStringLiteral("FormEditSystem"));
    const QString file = QFileInfo(handSet.connection().filePath()).fileName();
    setWindowTitle(file.isEmpty() ? tr("Edit System") : tr("Edit System - %1").arg(file));
    setAccessibleName(windowTitle());

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setAccessibleName(tr("Pages"));
    PageControl->addTab(buildPreFlopPage(), tr("Pre-Flop"));
    const QChar letters[] = {QLatin1Char('F'), QLatin1Char('T'), QLatin1Char('R')};
    const QString chances[] = {tr("Turn (%)"), tr("River (%)"), tr("You (%)")};
    for (int r = 0; r < 3; ++r) {
        RoundPage &page = rounds_[std::size_t(r)];
        page.round = systemRounds().at(r);
        page.chance = chances[r];
        PageControl->addTab(buildRoundPage(page, letters[r]), page.round);
    }
    m_chart = new PreFlopChart(m_handSet, this);
    // The chart asks for more room than the other pages; the dialog grows only while it shows.
    m_chart->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    PageControl->addTab(m_chart, tr("Chart"));

    LabelReadOnly = note(QStringLiteral("LabelReadOnly"), this);
    if (m_readOnly) {
        LabelReadOnly->setText(tr("Read-only file: nothing can be changed here."));
        LabelReadOnly->setToolTip(tr("Save the system under a new name to change the copy."));
    }
    LabelReadOnly->setVisible(m_readOnly);

    BitBtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setAccessibleName(tr("OK"));
    BitBtnOK->setAccessibleDescription(tr("Stores the entries shown and closes"));
    BitBtnOK->setDefault(true);
    BitBtnCancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), this);
    BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
    BitBtnCancel->setAccessibleName(tr("Cancel"));
    BitBtnCancel->setAccessibleDescription(
        tr("Closes without storing the entries shown; entries left earlier stay stored"));
    BitBtnCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(LabelReadOnly, 1);
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);

    auto *undo = new QAction(tr("Undo"), this);
    undo->setObjectName(QStringLiteral("ActionUndo"));
    undo->setShortcut(QKeySequence::Undo);
    addAction(undo);
    connect(undo, &QAction::triggered, this, &TFormEditSystem::undoLast);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);

    bindFields();
    connectSignals();

    const QSize needed = minimumSizeHint();
    m_designSize =
        QSize(std::max(kClientWidth, needed.width()), std::max(kClientHeight, needed.height()));
    setFixedSize(m_designSize);
}

TFormEditSystem::~TFormEditSystem()
{
    // Controls losing the focus or their entries while they are destroyed tell nobody.
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
    for (RowBinder *binder : findChildren<RowBinder *>()) {
        binder->disconnect();
        for (QObject *child : findChildren<QObject *>())
            disconnect(child, nullptr, binder, nullptr);
    }
}

QComboBox *TFormEditSystem::actionCombo(const QString &name, const QString &spoken, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(spoken);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(playerActions());
    // A typed text is stored as typed: no completion turns "Raise" into "Raise 100%".
    combo->setCompleter(nullptr);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    guardWheel(combo);
    return combo;
}

void TFormEditSystem::guardWheel(QWidget *control)
{
    // The wheel scrolls past a field it is not meant for; only a focused field takes it.
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(this);
}

bool TFormEditSystem::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        auto *control = qobject_cast<QWidget *>(watched);
        if (control && !control->hasFocus()) {
            event->ignore();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QWidget *TFormEditSystem::buildPreFlopPage()
{
    TabSheetPreFlop = new QWidget(this);
    TabSheetPreFlop->setObjectName(QStringLiteral("TabSheetPreFlop"));
    TabSheetPreFlop->setAccessibleName(tr("Pre-Flop"));

    ListBoxPF = listBox(QStringLiteral("ListBoxPF"), tr("Starting hands"), {}, TabSheetPreFlop);
    fitList(ListBoxPF, startingHandNames(), false);
    LabelPFRow = heading(QStringLiteral("LabelPFRow"), TabSheetPreFlop);
    LabelPFNote = note(QStringLiteral("LabelPFNote"), TabSheetPreFlop);

    const char *names[] = {"DBComboBoxPFCl", "DBComboBoxPFR1", "DBComboBoxPFR2",
                           "DBComboBoxPFR4", "DBComboBoxPFR8", "DBComboBoxPFAI"};
    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(8);
    rows->setVerticalSpacing(4);
    rows->addWidget(LabelPFRow, 0, 0, 1, 3);
    for (int k = 0; k < int(preFlopCombos_.size()); ++k) {
        // "Call" .. "Raise All-In", the opponents' actions that have a column.
        const QString title = tr("Opponents %1").arg(opponentsActions().at(k + 1));
        QComboBox *combo = actionCombo(
            QString::fromLatin1(names[k]),
            tr("Your action when the opponents %1").arg(opponentsActions().at(k + 1).toLower()),
            TabSheetPreFlop);
        preFlopCombos_[std::size_t(k)] = combo;
        QLabel *label = caption({}, title, TabSheetPreFlop);
        label->setBuddy(combo);
        rows->addWidget(label, k + 1, 0);
        rows->addWidget(youLabel(combo, TabSheetPreFlop), k + 1, 1);
        rows->addWidget(combo, k + 1, 2);
    }
    rows->addWidget(LabelPFNote, int(preFlopCombos_.size()) + 1, 0, 1, 3);
    rows->setRowStretch(int(preFlopCombos_.size()) + 2, 1);

    auto *layout = new QHBoxLayout(TabSheetPreFlop);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(14);
    layout->addWidget(ListBoxPF);
    layout->addLayout(rows);
    layout->addStretch(1);
    return TabSheetPreFlop;
}

QWidget *TFormEditSystem::buildRoundPage(RoundPage &page, QChar letter)
{
    const QString l(letter);
    const auto named = [&l](const char *kind, const char *role) {
        return QString::fromLatin1(kind) + l + QString::fromLatin1(role);
    };
    page.page = new QWidget(this);
    page.page->setObjectName(QStringLiteral("TabSheet") + page.round);
    page.page->setAccessibleName(page.round);

    page.handTypes = listBox(named("ListBox", "H"), tr("Hand Type"), systemHandTypes(), page.page);
    fitList(page.handTypes, systemHandTypes(), true);
    page.opponents = listBox(named("ListBox", "O"), tr("Opponents"), opponentsActions(), page.page);
    fitList(page.opponents, opponentsActions(), true);

    const QString chance = page.chance;
    page.hitE = actionCombo(named("DBComboBox", "HitE"),
                            tr("Your action when %1 is 100").arg(chance), page.page);
    page.hitL = actionCombo(named("DBComboBox", "HitL"),
                            tr("Your action when %1 reaches the threshold").arg(chance), page.page);
    page.hitS =
        actionCombo(named("DBComboBox", "HitS"),
                    tr("Your action when %1 is below the threshold").arg(chance), page.page);
    page.hgrL = actionCombo(named("DBComboBox", "HgrL"),
                            tr("Your action when Higher (%) reaches the threshold"), page.page);
    page.hgrS = actionCombo(named("DBComboBox", "HgrS"),
                            tr("Your action when Higher (%) is below the threshold"), page.page);
    page.hitV =
        thresholdEdit(named("DBEdit", "HitV"), tr("Threshold of %1").arg(chance), page.page);
    page.hgrV = thresholdEdit(named("DBEdit", "HgrV"), tr("Threshold of Higher (%)"), page.page);
    guardWheel(page.hitV);
    guardWheel(page.hgrV);
    page.hitSLabel = caption(named("Label", "HitS"), chance + QStringLiteral(" <  50"), page.page);
    page.hgrSLabel = caption(named("Label", "HgrS"), kHigher + QStringLiteral(" <  50"), page.page);
    page.hitSLabel->setBuddy(page.hitS);
    page.hgrSLabel->setBuddy(page.hgrS);
    page.heading = heading(named("Label", "Row"), page.page);
    page.note = note(named("Label", "Note"), page.page);

    page.applyTo = new QToolButton(page.page);
    page.applyTo->setObjectName(named("ToolButton", "ApplyTo"));
    page.applyTo->setText(tr("Apply to..."));
    page.applyTo->setAccessibleName(tr("Apply the entries shown to other rows"));
    page.applyTo->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(page.applyTo);
    const std::pair<const char *, ApplyScope> scopes[] = {
        {QT_TR_NOOP("Every opponents' action of this hand type"), ApplyScope::Opponents},
        {QT_TR_NOOP("The same row on the other rounds"), ApplyScope::Rounds},
        {QT_TR_NOOP("Every opponents' action on every round"), ApplyScope::Both}};
    for (const auto &[text, scope] : scopes) {
        QAction *action = menu->addAction(tr(text));
        action->setObjectName(named("Action", "ApplyTo") + QString::number(int(scope)));
        connect(action, &QAction::triggered, this,
                [this, &page, scope = scope] { applyTo(page, scope); });
    }
    page.applyTo->setMenu(menu);

    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(6);
    rows->setVerticalSpacing(4);
    rows->addWidget(page.heading, 0, 0, 1, 4);
    const auto addRow = [&](int row, QLabel *label, QLineEdit *edit, QComboBox *combo) {
        rows->addWidget(label, row, 0);
        if (edit)
            rows->addWidget(edit, row, 1);
        rows->addWidget(youLabel(combo, page.page), row, 2);
        rows->addWidget(combo, row, 3);
    };
    QLabel *made = caption({}, chance + QStringLiteral(" =  100"), page.page);
    made->setBuddy(page.hitE);
    QLabel *reaches = caption({}, chance + QStringLiteral(" >="), page.page);
    reaches->setBuddy(page.hitV);
    QLabel *higher = caption({}, kHigher + QStringLiteral(" >="), page.page);
    higher->setBuddy(page.hgrV);
    addRow(1, made, nullptr, page.hitE);
    addRow(2, reaches, page.hitV, page.hitL);
    addRow(3, page.hitSLabel, nullptr, page.hitS);
    addRow(4, higher, page.hgrV, page.hgrL);
    addRow(5, page.hgrSLabel, nullptr, page.hgrS);
    rows->addWidget(page.note, 6, 0, 1, 3);
    rows->addWidget(page.applyTo, 6, 3, Qt::AlignRight | Qt::AlignTop);
    rows->setRowStretch(7, 1);

    const auto headed = [&page](const QString &title, QListWidget *list) {
        auto *column = new QVBoxLayout;
        column->setSpacing(2);
        QLabel *label = caption({}, title, page.page);
        label->setBuddy(list);
        column->addWidget(label);
        column->addWidget(list);
        column->addStretch(1);
        return column;
    };
    auto *layout = new QHBoxLayout(page.page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(headed(tr("Hand Type"), page.handTypes));
    layout->addLayout(headed(tr("Opponents"), page.opponents));
    layout->addLayout(rows);
    layout->addStretch(1);
    return page.page;
}

void TFormEditSystem::bindFields()
{
    m_handSetFields = new RowBinder(m_handSet, this);
    for (std::size_t k = 0; k < preFlopCombos_.size(); ++k)
        m_handSetFields->bindCombo(preFlopCombos_[k], preFlopActionColumns().at(qsizetype(k)));
    m_handSetFields->setReadOnly(m_readOnly);

    // Each round page has fields of its own over the one current row of `FTR`; only the page
    // on view, with both of its selections made, shows that row.
    for (RoundPage &page : rounds_) {
        page.fields = new RowBinder(m_typeSet, this);
        page.fields->setAttached(false);
        page.fields->bindCombo(page.hitE, QStringLiteral("HitE"));
        page.fields->bindCombo(page.hitL, QStringLiteral("HitL"));
        page.fields->bindCombo(page.hitS, QStringLiteral("HitS"));
        page.fields->bindCombo(page.hgrL, QStringLiteral("HgrL"));
        page.fields->bindCombo(page.hgrS, QStringLiteral("HgrS"));
        page.fields->setReadOnly(m_readOnly);
        page.applyTo->setEnabled(false);
    }
    m_chart->setReadOnly(m_readOnly);
}

void TFormEditSystem::connectSignals()
{
    connect(ListBoxPF, &QListWidget::itemSelectionChanged, this, &TFormEditSystem::ListBoxPFClick);
    void (TFormEditSystem::*const roundClicks[])() = {&TFormEditSystem::ListBoxFHClick,
                                                      &TFormEditSystem::ListBoxTHClick,
                                                      &TFormEditSystem::ListBoxRHClick};
    void (TFormEditSystem::*const hitFinished[])() = {&TFormEditSystem::DBEditFHitVChange,
                                                      &TFormEditSystem::DBEditTHitVChange,
                                                      &TFormEditSystem::DBEditRHitVChange};
    void (TFormEditSystem::*const higherFinished[])() = {&TFormEditSystem::DBEditFHgrVChange,
                                                         &TFormEditSystem::DBEditTHgrVChange,
                                                         &TFormEditSystem::DBEditRHgrVChange};
    for (int r = 0; r < 3; ++r) {
        RoundPage &page = rounds_[std::size_t(r)];
        connect(page.handTypes, &QListWidget::itemSelectionChanged, this, roundClicks[r]);
        connect(page.opponents, &QListWidget::itemSelectionChanged, this, roundClicks[r]);
        connect(page.hitV, &QLineEdit::editingFinished, this, hitFinished[r]);
        connect(page.hgrV, &QLineEdit::editingFinished, this, higherFinished[r]);
        // A text the dialog sets (a row shown, a finished edit) is repeated in the caption;
        // what the user is still typing is not.
        connect(page.hitV, &QLineEdit::textChanged, this,
                [this, &page] { thresholdShown(page.hitV, page.hitSLabel, page.chance + kLess); });
        connect(page.hgrV, &QLineEdit::textChanged, this,
                [this, &page] { thresholdShown(page.hgrV, page.hgrSLabel, kHigher + kLess); });
        connect(page.fields, &RowBinder::loaded, this, [this, &page] {
            thresholdShown(page.hitV, page.hitSLabel, page.chance + kLess);
            thresholdShown(page.hgrV, page.hgrSLabel, kHigher + kLess);
        });
    }
    connect(PageControl, &QTabWidget::currentChanged, this, &TFormEditSystem::roundPageShown);
    connect(m_chart, &PreFlopChart::stroke, this, &TFormEditSystem::paintStroke);
    connect(BitBtnOK, &QPushButton::clicked, this, &TFormEditSystem::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFormEditSystem::reject);

    for (RoundPage &page : rounds_) {
        page.fields->bindNumberEdit(page.hitV, QStringLiteral("HitV"));
        page.fields->bindNumberEdit(page.hgrV, QStringLiteral("HgrV"));
        page.note->setText(tr("Choose a hand type and the opponents' action."));
    }
}

void TFormEditSystem::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
        if (const QScreen *shownOn = screen())
            move(shownOn->availableGeometry().center() - rect().center());
    }
}

void TFormEditSystem::FormShow()
{
    {
        const QSignalBlocker quiet(ListBoxPF);
        ListBoxPF->clear();
        ListBoxPF->addItems(startingHandNames());
    }
    m_shownHand.clear();
    // The fields show the row the table stands on; the heading names it.
    const bool onRow = m_handSetFields->hasRow();
    m_handSetFields->setAttached(onRow);
    LabelPFRow->setText(onRow ? m_handSet.text("Hand") : QString());
    LabelPFNote->setText(onRow ? QString() : tr("Choose a starting hand."));
}

void TFormEditSystem::showPreFlopRow(const QString &entry, bool found)
{
    m_handSetFields->setAttached(found);
    LabelPFRow->setText(entry);
    LabelPFNote->setText(
        found ? QString()
              : tr("This system has no row for %1: there is nothing to set.").arg(entry));
}

void TFormEditSystem::ListBoxPFClick()
{
    if (m_restoring)
        return;
    const QString entry = selectedText(ListBoxPF);
    if (entry.isEmpty() || !m_handSet.isOpen())
        return;
    // The row on view is stored before another is shown; if it cannot be, it stays on view.
    if (!m_handSetFields->store()) {
        const QScopedValueRollback guard(m_restoring, true);
        selectQuietly(ListBoxPF, m_shownHand);
        return;
    }
    bool found = false;
    runCommand(this, [&] {
        found = m_handSet.locate(QStringLiteral("Hand"), {entry}, DbTable::CaseInsensitive);
    });
    m_shownHand = entry;
    showPreFlopRow(entry, found);
}

TFormEditSystem::RoundPage *TFormEditSystem::roundPage(int index)
{
    if (index < FlopPage || index > RiverPage)
        return nullptr;
    return &rounds_[std::size_t(index - FlopPage)];
}

QString TFormEditSystem::rowName(const RoundPage &page, const QString &type,
                                 const QString &opponents)
{
    return tr("%1 · %2 · Opponents %3").arg(type, page.round, opponents);
}

void TFormEditSystem::showRoundRow(RoundPage &page)
{
    const QString type = selectedText(page.handTypes);
    const QString opponents = selectedText(page.opponents);
    bool found = false;
    if (!type.isEmpty() && !opponents.isEmpty() && m_typeSet.isOpen()) {
        runCommand(this, [&] {
            found = m_typeSet.locate(QStringLiteral("HType;Opps;Rnd"),
                                     {type, opponents, page.round}, DbTable::CaseInsensitive);
        });
    }
    page.shownType = type;
    page.shownOpponents = opponents;
    page.fields->setAttached(found);
    page.applyTo->setEnabled(found && !m_readOnly);
    if (type.isEmpty() || opponents.isEmpty()) {
        page.heading->clear();
        page.note->setText(tr("Choose a hand type and the opponents' action."));
    } else {
        page.heading->setText(rowName(page, type, opponents));
        page.note->setText(found ? QString()
                                 : tr("This system has no row for it: there is nothing to set."));
    }
}

void TFormEditSystem::restoreRoundSelection(RoundPage &page)
{
    const QScopedValueRollback guard(m_restoring, true);
    selectQuietly(page.handTypes, page.shownType);
    selectQuietly(page.opponents, page.shownOpponents);
}

void TFormEditSystem::roundSelectionChanged(RoundPage &page)
{
    if (m_restoring)
        return;
    if (page.fields->isAttached() && (!finishThresholds(page, true) || !page.fields->store())) {
        restoreRoundSelection(page);
        return;
    }
    showRoundRow(page);
}

void TFormEditSystem::ListBoxFHClick()
{
    roundSelectionChanged(rounds_[0]);
}

void TFormEditSystem::ListBoxTHClick()
{
    roundSelectionChanged(rounds_[1]);
}

void TFormEditSystem::ListBoxRHClick()
{
    roundSelectionChanged(rounds_[2]);
}

bool TFormEditSystem::leavePage(int index)
{
    if (index == PreFlopPage)
        return m_handSetFields->store();
    if (RoundPage *page = roundPage(index)) {
        if (!page->fields->isAttached())
            return true;
        return finishThresholds(*page, true) && page->fields->store();
    }
    return true;
}

void TFormEditSystem::roundPageShown(int index)
{
    if (m_restoring)
        return;
    if (index != m_shownPage && !leavePage(m_shownPage)) {
        const QScopedValueRollback guard(m_restoring, true);
        PageControl->setCurrentIndex(m_shownPage);
        return;
    }
    m_shownPage = index;
    // Only the page on view shows the current row of `FTR`.
    for (RoundPage &page : rounds_) {
        if (&page != roundPage(index)) {
            page.fields->setAttached(false);
            page.applyTo->setEnabled(false);
        }
    }
    if (RoundPage *page = roundPage(index))
        showRoundRow(*page);
    fitToPage(index);
}

void TFormEditSystem::fitToPage(int index)
{
    QSize wanted = m_designSize;
    if (index == ChartPage) {
        const QSize room = PageControl->currentWidget()->size();
        const QSize needed = m_chart->minimumSizeHint().expandedTo(m_chart->sizeHint());
        wanted += QSize(std::max(0, needed.width() - room.width()),
                        std::max(0, needed.height() - room.height()));
    }
    if (wanted != size())
        setFixedSize(wanted);
}

void TFormEditSystem::thresholdShown(QLineEdit *edit, QLabel *label, const QString &prefix)
{
    if (edit->isModified())
        return;
    // An empty stored threshold counts as 0.
    label->setText(prefix + (edit->text().isEmpty() ? QStringLiteral("0") : edit->text()));
}

bool TFormEditSystem::finishThreshold(RoundPage &page, QLineEdit *edit, bool report)
{
    if (!edit->isModified() || !page.fields->isAttached() || !isVisible())
        return true;
    const QString text = edit->text().trimmed();
    int value = 1;
    if (!text.isEmpty()) {
        bool ok = false;
        value = text.toInt(&ok);
        if (!ok) {
            // The text stays as typed and the caption as it was, on every path.
            if (report && m_reporting != edit) {
                const QScopedValueRollback guard(m_reporting, edit);
                prompts().error(this, tr("'%1' is not a valid integer value").arg(edit->text()));
                PageControl->setCurrentWidget(page.page);
                edit->setFocus();
                edit->selectAll();
            }
            return false;
        }
        value = std::clamp(value, 1, 99);
    }
    edit->setText(QString::number(value));
    thresholdShown(edit, edit == page.hitV ? page.hitSLabel : page.hgrSLabel,
                   (edit == page.hitV ? page.chance : kHigher) + kLess);
    page.fields->writeNumber(edit, value);
    return true;
}

bool TFormEditSystem::finishThresholds(RoundPage &page, bool report)
{
    return finishThreshold(page, page.hitV, report) && finishThreshold(page, page.hgrV, report);
}

void TFormEditSystem::DBEditFHitVChange()
{
    finishThreshold(rounds_[0], rounds_[0].hitV, false);
}

void TFormEditSystem::DBEditFHgrVChange()
{
    finishThreshold(rounds_[0], rounds_[0].hgrV, false);
}

void TFormEditSystem::DBEditTHitVChange()
{
    finishThreshold(rounds_[1], rounds_[1].hitV, false);
}

void TFormEditSystem::DBEditTHgrVChange()
{
    finishThreshold(rounds_[1], rounds_[1].hgrV, false);
}

void TFormEditSystem::DBEditRHitVChange()
{
    finishThreshold(rounds_[2], rounds_[2].hitV, false);
}

void TFormEditSystem::DBEditRHgrVChange()
{
    finishThreshold(rounds_[2], rounds_[2].hgrV, false);
}

bool TFormEditSystem::writeChanges(DbTable &table, const RowChanges &changes)
{
    return runCommand(this, [&] { changes.apply(table); });
}

void TFormEditSystem::paintStroke(const QStringList &hands, const QString &action)
{
    if (m_readOnly || !m_handSet.isOpen())
        return;
    const PreFlopChartModel &chart = m_chart->model();
    RowChanges changes(QStringLiteral("Hand"));
    for (const QString &hand : hands)
        changes.add({hand}, m_chart->column(), chart.action(hand), action);
    if (changes.isEmpty())
        return;
    if (writeChanges(m_handSet, changes)) {
        m_undo.push_back({&m_handSet, changes});
        const int hands = changes.rowCount();
        m_chart->setNote(hands == 1
                             ? tr("1 hand set to %1. Ctrl+Z undoes it.").arg(action)
                             : tr("%1 hands set to %2. Ctrl+Z undoes it.").arg(hands).arg(action));
    }
}

void TFormEditSystem::applyTo(RoundPage &page, ApplyScope scope)
{
    if (m_readOnly || !page.fields->isAttached())
        return;
    if (!finishThresholds(page, true) || !page.fields->store())
        return;
    const TypeSetKey source{page.shownType, page.shownOpponents, page.round};
    RowChanges changes;
    if (!runCommand(this, [&] { changes = applyToChanges(m_typeSet, source, scope); }))
        return;
    const QString name = rowName(page, page.shownType, page.shownOpponents);
    if (changes.isEmpty()) {
        page.note->setText(tr("Those rows already hold the entries of this row."));
        return;
    }
    const QString question = tr("Copy the entries of %1 to other rows? This changes %2.")
                                 .arg(name, rowsText(changes.rowCount()));
    if (prompts().question(this, tr("Apply to"), question, false) != Prompts::Answer::Yes)
        return;
    if (writeChanges(m_typeSet, changes)) {
        m_undo.push_back({&m_typeSet, changes});
        page.note->setText(tr("%1 changed. Ctrl+Z undoes it.").arg(rowsText(changes.rowCount())));
    }
}

void TFormEditSystem::undoLast()
{
    if (m_undo.empty() || m_readOnly)
        return;
    const UndoEntry &last = m_undo.back();
    // Entries typed on the page since then are stored first, so undoing never drops them.
    if (!leavePage(m_shownPage))
        return;
    if (runCommand(this, [&] { last.changes.revert(*last.table); })) {
        const int rows = last.changes.rowCount();
        m_undo.pop_back();
        const QString undone = tr("Undone: %1 back as they were.").arg(rowsText(rows));
        if (RoundPage *page = roundPage(m_shownPage))
            page->note->setText(undone);
        else if (m_shownPage == ChartPage)
            m_chart->setNote(undone);
    }
}

void TFormEditSystem::BitBtnOKClick()
{
    if (m_readOnly) {
        accept();
        return;
    }
    // A threshold that is no whole number cannot be stored; the user corrects it first.
    if (!leavePage(m_shownPage))
        return;
    if (!m_handSetFields->store())
        return;
    for (RoundPage &page : rounds_) {
        if (!page.fields->store())
            return;
    }
    accept();
}

void TFormEditSystem::reject()
{
    // The edit losing the focus as the dialog closes finishes nothing.
    for (RoundPage &page : rounds_) {
        page.hitV->setModified(false);
        page.hgrV->setModified(false);
    }
    m_handSetFields->discard();
    for (RoundPage &page : rounds_)
        page.fields->discard();
    QDialog::reject();
}
