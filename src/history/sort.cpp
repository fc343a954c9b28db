// SPDX-License-Identifier: GPL-3.0-or-later
// The Sort History dialog.
#include "history/sort.h"

#include "app/dialogparts.h"

#include "app/commandguard.h"
#include "app/prompts.h"
#include "history/historysort.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

TFormSort *FormSort = nullptr;

TFormSort::TFormSort(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setObjectName(QStringLiteral("FormSort"));
    setWindowTitle(tr("Sort History"));
    setAccessibleName(tr("Sort History"));

    LabelSortBy = new QLabel(tr("Sort By:"), this);
    LabelSortBy->setObjectName(QStringLiteral("LabelSortBy"));
    ComboBoxSortBy = new QComboBox(this);
    ComboBoxSortBy->setObjectName(QStringLiteral("ComboBoxSortBy"));
    ComboBoxSortBy->setAccessibleName(tr("Sort By"));
    ComboBoxSortBy->setEditable(true);
    ComboBoxSortBy->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxSortBy->addItems(sortItems());
    ComboBoxSortBy->setCurrentIndex(0);
    LabelSortBy->setBuddy(ComboBoxSortBy);

    RadioButtonAsc = new QRadioButton(tr("Ascending"), this);
    RadioButtonAsc->setObjectName(QStringLiteral("RadioButtonAsc"));
    RadioButtonAsc->setAccessibleName(tr("Ascending"));
    RadioButtonDesc = new QRadioButton(tr("Descending"), this);
    RadioButtonDesc->setObjectName(QStringLiteral("RadioButtonDesc"));
    RadioButtonDesc->setAccessibleName(tr("Descending"));
    auto *direction = new QButtonGroup(this);
    direction->addButton(RadioButtonAsc);
    direction->addButton(RadioButtonDesc);
    RadioButtonDesc->setChecked(true);

    BitBtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setAccessibleName(tr("OK"));
    BitBtnOK->setAccessibleDescription(tr("Sorts the Hand History and the Game History"));
    BitBtnOK->setDefault(true);
    BitBtnCancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), this);
    BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
    BitBtnCancel->setAccessibleName(tr("Cancel"));
    BitBtnCancel->setAccessibleDescription(tr("Closes the dialog and keeps the order"));
    BitBtnCancel->setAutoDefault(false);

    auto *sortBy = new QHBoxLayout;
    sortBy->addWidget(LabelSortBy);
    sortBy->addWidget(ComboBoxSortBy, 1);
    auto *directions = new QVBoxLayout;
    directions->addWidget(RadioButtonAsc);
    directions->addWidget(RadioButtonDesc);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sortBy);
    layout->addLayout(directions);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtnOK, &QPushButton::clicked, this, &TFormSort::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFormSort::reject);
}

void TFormSort::setApplySort(ApplySort apply)
{
    m_apply = std::move(apply);
}

void TFormSort::BitBtnOKClick()
{
    const QString typed = ComboBoxSortBy->currentText();
    const bool descending = RadioButtonDesc->isChecked();
    const std::optional<QString> sort = sortForItem(typed, descending);
    if (!sort) {
        prompts().warning(this, tr("“%1” is not a column of the history. Choose one of the list "
                                   "under “Sort By:”.")
                                    .arg(typed));
        ComboBoxSortBy->setFocus();
        ComboBoxSortBy->lineEdit()->selectAll();
        return;
    }
    if (m_apply && !runCommand(this, [this, &sort] { m_apply(*sort); }))
        return;
    // A typed item shows as the list spells it.
    const int item = ComboBoxSortBy->findText(typed.trimmed(), Qt::MatchFixedString);
    ComboBoxSortBy->setCurrentIndex(item);
    ComboBoxSortBy->setEditText(ComboBoxSortBy->itemText(item));
    m_itemInForce = item;
    m_descendingInForce = descending;
    accept();
}

void TFormSort::reject()
{
    ComboBoxSortBy->setCurrentIndex(m_itemInForce);
    ComboBoxSortBy->setEditText(ComboBoxSortBy->itemText(m_itemInForce));
    (m_descendingInForce ? RadioButtonDesc : RadioButtonAsc)->setChecked(true);
    QDialog::reject();
}
