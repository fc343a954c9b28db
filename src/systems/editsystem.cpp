// SPDX-License-Identifier: GPL-3.0-or-later
// The "Edit System" dialog.
#include "systems/editsystem.h"

#include "app/dialogparts.h"

#include "app/commandguard.h"
#include "app/prompts.h"
#include "db/dbtable.h"
#include "systems/rowbinder.h"
#include "systems/systemvocabulary.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kHigher = QStringLiteral("Higher (%)");

QLabel *caption(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
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

bool isWholeNumber(const QString &text)
{
    bool ok = false;
    text.toInt(&ok);
    return ok;
}

} // namespace

TFormEditSystem::TFormEditSystem(DbTable &handSet, DbTable &typeSet, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags), m_handSet(handSet), m_typeSet(typeSet)
{
    setObjectName(QStringLiteral("FormEditSystem"));
    setWindowTitle(tr("Edit System"));
    setAccessibleName(windowTitle());

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setAccessibleName(tr("Pages"));
    PageControl->addTab(buildPreFlopPage(), tr("Pre-Flop"));
    const QChar letters[] = {QLatin1Char('F'), QLatin1Char('T'), QLatin1Char('R')};
    const QString chances[] = {tr("Turn (%)"), tr("River (%)"), tr("You (%)")};
    for (int r = FlopPage; r <= RiverPage; ++r) {
        RoundPage &page = rounds_[std::size_t(r)];
        page.round = systemRounds().at(r);
        page.chance = chances[r];
        PageControl->addTab(buildRoundPage(page, letters[r]), page.round);
    }

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
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);

    bindFields();
    connectSignals();

    const QSize needed = minimumSizeHint();
    setFixedSize(std::max(kClientWidth, needed.width()), std::max(kClientHeight, needed.height()));
}

QComboBox *TFormEditSystem::actionCombo(const QString &name, const QString &spoken, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(spoken);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(playerActions());
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

QWidget *TFormEditSystem::buildPreFlopPage()
{
    TabSheetPreFlop = new QWidget(this);
    TabSheetPreFlop->setObjectName(QStringLiteral("TabSheetPreFlop"));
    TabSheetPreFlop->setAccessibleName(tr("Pre-Flop"));

    ListBoxPF = listBox(QStringLiteral("ListBoxPF"), tr("Starting hands"), {}, TabSheetPreFlop);
    fitList(ListBoxPF, startingHandNames(), false);

    const char *names[] = {"DBComboBoxPFCl", "DBComboBoxPFR1", "DBComboBoxPFR2",
                           "DBComboBoxPFR4", "DBComboBoxPFR8", "DBComboBoxPFAI"};
    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(8);
    rows->setVerticalSpacing(4);
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
        rows->addWidget(label, k, 0);
        rows->addWidget(youLabel(combo, TabSheetPreFlop), k, 1);
        rows->addWidget(combo, k, 2);
    }
    rows->setRowStretch(int(preFlopCombos_.size()), 1);

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
    page.hitSLabel = caption(named("Label", "HitS"), chance + QStringLiteral(" <  50"), page.page);
    page.hgrSLabel = caption(named("Label", "HgrS"), kHigher + QStringLiteral(" <  50"), page.page);
    page.hitSLabel->setBuddy(page.hitS);
    page.hgrSLabel->setBuddy(page.hgrS);

    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(6);
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
    addRow(0, made, nullptr, page.hitE);
    addRow(1, reaches, page.hitV, page.hitL);
    addRow(2, page.hitSLabel, nullptr, page.hitS);
    addRow(3, higher, page.hgrV, page.hgrL);
    addRow(4, page.hgrSLabel, nullptr, page.hgrS);
    rows->setRowStretch(5, 1);

    const auto headed = [&page](const QString &heading, QListWidget *list) {
        auto *column = new QVBoxLayout;
        column->setSpacing(2);
        QLabel *label = caption({}, heading, page.page);
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

    // All three round pages show the one current row of `FTR`.
    m_typeSetFields = new RowBinder(m_typeSet, this);
    for (RoundPage &page : rounds_) {
        m_typeSetFields->bindCombo(page.hitE, QStringLiteral("HitE"));
        m_typeSetFields->bindCombo(page.hitL, QStringLiteral("HitL"));
        m_typeSetFields->bindCombo(page.hitS, QStringLiteral("HitS"));
        m_typeSetFields->bindCombo(page.hgrL, QStringLiteral("HgrL"));
        m_typeSetFields->bindCombo(page.hgrS, QStringLiteral("HgrS"));
    }
}

void TFormEditSystem::connectSignals()
{
    connect(ListBoxPF, &QListWidget::itemSelectionChanged, this, &TFormEditSystem::ListBoxPFClick);
    void (TFormEditSystem::*const roundClicks[])() = {&TFormEditSystem::ListBoxFHClick,
                                                      &TFormEditSystem::ListBoxTHClick,
                                                      &TFormEditSystem::ListBoxRHClick};
    void (TFormEditSystem::*const hitChanges[])() = {&TFormEditSystem::DBEditFHitVChange,
                                                     &TFormEditSystem::DBEditTHitVChange,
                                                     &TFormEditSystem::DBEditRHitVChange};
    void (TFormEditSystem::*const higherChanges[])() = {&TFormEditSystem::DBEditFHgrVChange,
                                                        &TFormEditSystem::DBEditTHgrVChange,
                                                        &TFormEditSystem::DBEditRHgrVChange};
    for (int r = FlopPage; r <= RiverPage; ++r) {
        const RoundPage &page = rounds_[std::size_t(r)];
        connect(page.handTypes, &QListWidget::itemSelectionChanged, this, roundClicks[r]);
        connect(page.opponents, &QListWidget::itemSelectionChanged, this, roundClicks[r]);
        connect(page.hitV, &QLineEdit::textChanged, this, hitChanges[r]);
        connect(page.hgrV, &QLineEdit::textChanged, this, higherChanges[r]);
    }
    connect(PageControl, &QTabWidget::currentChanged, this, &TFormEditSystem::roundPageShown);
    connect(BitBtnOK, &QPushButton::clicked, this, &TFormEditSystem::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFormEditSystem::reject);

    // The threshold edits are bound once their handlers listen, so the first row shown is
    // checked and its captions written as every later one is.
    for (RoundPage &page : rounds_) {
        m_typeSetFields->bindNumberEdit(page.hitV, QStringLiteral("HitV"));
        m_typeSetFields->bindNumberEdit(page.hgrV, QStringLiteral("HgrV"));
    }
}

void TFormEditSystem::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
        placeOnScreen();
    }
}

void TFormEditSystem::placeOnScreen()
{
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
}

void TFormEditSystem::FormShow()
{
    ListBoxPF->clear();
    ListBoxPF->addItems(startingHandNames());
}

void TFormEditSystem::ListBoxPFClick()
{
    const QList<QListWidgetItem *> chosen = ListBoxPF->selectedItems();
    if (chosen.isEmpty() || !m_handSet.isOpen())
        return;
    runCommand(this, [this, &chosen] {
        m_handSet.locate(QStringLiteral("Hand"), {chosen.front()->text()},
                         DbTable::CaseInsensitive);
    });
}

void TFormEditSystem::locateRoundRow(const RoundPage &page)
{
    const QList<QListWidgetItem *> type = page.handTypes->selectedItems();
    const QList<QListWidgetItem *> opponents = page.opponents->selectedItems();
    if (type.isEmpty() || opponents.isEmpty() || !m_typeSet.isOpen())
        return;
    runCommand(this, [&] {
        m_typeSet.locate(QStringLiteral("HType;Opps;Rnd"),
                         {type.front()->text(), opponents.front()->text(), page.round},
                         DbTable::CaseInsensitive);
    });
}

void TFormEditSystem::ListBoxFHClick()
{
    locateRoundRow(rounds_[FlopPage]);
}

void TFormEditSystem::ListBoxTHClick()
{
    locateRoundRow(rounds_[TurnPage]);
}

void TFormEditSystem::ListBoxRHClick()
{
    locateRoundRow(rounds_[RiverPage]);
}

void TFormEditSystem::roundPageShown(int index)
{
    if (index >= 1 && index <= 3)
        locateRoundRow(rounds_[std::size_t(index - 1 + FlopPage)]);
}

void TFormEditSystem::thresholdChanged(QLineEdit *edit, QLabel *label, const QString &prefix)
{
    // Setting the text runs this handler again, which then finds nothing to change.
    const QString text = edit->text();
    if (text.isEmpty()) {
        edit->setText(QStringLiteral("1"));
        return;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok) {
        prompts().error(this, tr("'%1' is not a valid integer value").arg(text));
        return;
    }
    if (value <= 0) {
        edit->setText(QStringLiteral("1"));
        return;
    }
    if (value >= 100) {
        edit->setText(QStringLiteral("99"));
        return;
    }
    label->setText(prefix + text);
    m_typeSetFields->writeNumber(edit, value);
}

void TFormEditSystem::DBEditFHitVChange()
{
    const RoundPage &page = rounds_[FlopPage];
    thresholdChanged(page.hitV, page.hitSLabel, page.chance + QStringLiteral(" < "));
}

void TFormEditSystem::DBEditFHgrVChange()
{
    const RoundPage &page = rounds_[FlopPage];
    thresholdChanged(page.hgrV, page.hgrSLabel, kHigher + QStringLiteral(" < "));
}

void TFormEditSystem::DBEditTHitVChange()
{
    const RoundPage &page = rounds_[TurnPage];
    thresholdChanged(page.hitV, page.hitSLabel, page.chance + QStringLiteral(" < "));
}

void TFormEditSystem::DBEditTHgrVChange()
{
    const RoundPage &page = rounds_[TurnPage];
    thresholdChanged(page.hgrV, page.hgrSLabel, kHigher + QStringLiteral(" < "));
}

void TFormEditSystem::DBEditRHitVChange()
{
    const RoundPage &page = rounds_[RiverPage];
    thresholdChanged(page.hitV, page.hitSLabel, page.chance + QStringLiteral(" < "));
}

void TFormEditSystem::DBEditRHgrVChange()
{
    const RoundPage &page = rounds_[RiverPage];
    thresholdChanged(page.hgrV, page.hgrSLabel, kHigher + QStringLiteral(" < "));
}

QLineEdit *TFormEditSystem::unreadableThreshold() const
{
    for (const RoundPage &page : rounds_) {
        for (QLineEdit *edit : {page.hitV, page.hgrV}) {
            if (!isWholeNumber(edit->text()))
                return edit;
        }
    }
    return nullptr;
}

void TFormEditSystem::BitBtnOKClick()
{
    // A threshold that is no whole number cannot be stored; the user corrects it first.
    if (QLineEdit *edit = unreadableThreshold()) {
        PageControl->setCurrentWidget(edit->parentWidget());
        edit->setFocus();
        edit->selectAll();
        prompts().error(this, tr("'%1' is not a valid integer value").arg(edit->text()));
        return;
    }
    if (m_handSetFields->store() && m_typeSetFields->store())
        accept();
}

void TFormEditSystem::reject()
{
    m_handSetFields->discard();
    m_typeSetFields->discard();
    QDialog::reject();
}
