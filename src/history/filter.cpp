// SPDX-License-Identifier: GPL-3.0-or-later
// The View dialog.
#include "history/filter.h"

#include "app/dialogparts.h"

#include "app/commandguard.h"
#include "app/prompts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

TFormFilter *FormFilter = nullptr;

TFormFilter::TFormFilter(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setObjectName(QStringLiteral("FormFilter"));
    setWindowTitle(tr("View"));
    setAccessibleName(tr("View"));

    RadioButtonAll = namedRadioButton(QStringLiteral("RadioButtonAll"), tr("All games"), this);
    RadioButtonToday =
        namedRadioButton(QStringLiteral("RadioButtonToday"), tr("Today's games"), this);
    RadioButtonDay = namedRadioButton(QStringLiteral("RadioButtonDay"), tr("By day"), this);
    RadioButtonMonth = namedRadioButton(QStringLiteral("RadioButtonMonth"), tr("By month"), this);
    RadioButtonDate = namedRadioButton(QStringLiteral("RadioButtonDate"), tr("By date"), this);
    auto *choices = new QButtonGroup(this);
    for (QRadioButton *button :
         {RadioButtonAll, RadioButtonToday, RadioButtonDay, RadioButtonMonth, RadioButtonDate})
        choices->addButton(button);
    RadioButtonAll->setChecked(true);

    const int thisYear = QDate::currentDate().year();
    const QString month = tr("Month");
    const QString day = tr("Day");
    const QString year = tr("Year");
    SpinEditDM = spinBox(QStringLiteral("SpinEditDM"), month, tr("By day: month"), 1, 12, 1);
    SpinEditDD = spinBox(QStringLiteral("SpinEditDD"), day, tr("By day: day"), 1, 31, 1);
    SpinEditDY = spinBox(QStringLiteral("SpinEditDY"), year, tr("By day: year"), kFirstYear,
                         kLastYear, thisYear);
    SpinEditM = spinBox(QStringLiteral("SpinEditM"), month, tr("By month: month"), 1, 12, 1);
    SpinEditMY = spinBox(QStringLiteral("SpinEditMY"), year, tr("By month: year"), kFirstYear,
                         kLastYear, thisYear);
    SpinEditSM = spinBox(QStringLiteral("SpinEditSM"), month, tr("Start date: month"), 1, 12, 1);
    SpinEditSD = spinBox(QStringLiteral("SpinEditSD"), day, tr("Start date: day"), 1, 31, 1);
    SpinEditSY = spinBox(QStringLiteral("SpinEditSY"), year, tr("Start date: year"), kFirstYear,
                         kLastYear, thisYear);
    SpinEditEM = spinBox(QStringLiteral("SpinEditEM"), month, tr("End date: month"), 1, 12, 1);
    SpinEditED = spinBox(QStringLiteral("SpinEditED"), day, tr("End date: day"), 1, 31, 1);
    SpinEditEY = spinBox(QStringLiteral("SpinEditEY"), year, tr("End date: year"), kFirstYear,
                         kLastYear, thisYear);
    LabelStart = new QLabel(tr("Start date:"), this);
    LabelStart->setObjectName(QStringLiteral("LabelStart"));
    LabelStart->setBuddy(SpinEditSM);
    LabelEnd = new QLabel(tr("End date:"), this);
    LabelEnd->setObjectName(QStringLiteral("LabelEnd"));
    LabelEnd->setBuddy(SpinEditEM);

    // Each row left to right: the choice, then month, day and year where it has them.
    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(6);
    rows->addWidget(RadioButtonAll, 0, 0, 1, 2);
    rows->addWidget(RadioButtonToday, 1, 0, 1, 2);
    rows->addWidget(RadioButtonDay, 2, 0, 1, 2);
    rows->addWidget(SpinEditDM, 2, 2);
    rows->addWidget(SpinEditDD, 2, 3);
    rows->addWidget(SpinEditDY, 2, 4);
    rows->addWidget(RadioButtonMonth, 3, 0, 1, 2);
    rows->addWidget(SpinEditM, 3, 2);
    rows->addWidget(SpinEditMY, 3, 4);
    rows->addWidget(RadioButtonDate, 4, 0);
    rows->addWidget(LabelStart, 4, 1, Qt::AlignRight);
    rows->addWidget(SpinEditSM, 4, 2);
    rows->addWidget(SpinEditSD, 4, 3);
    rows->addWidget(SpinEditSY, 4, 4);
    rows->addWidget(LabelEnd, 5, 1, Qt::AlignRight);
    rows->addWidget(SpinEditEM, 5, 2);
    rows->addWidget(SpinEditED, 5, 3);
    rows->addWidget(SpinEditEY, 5, 4);

    BitBtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setAccessibleName(tr("OK"));
    BitBtnOK->setAccessibleDescription(tr("Shows the chosen games on the Game History tab"));
    BitBtnOK->setDefault(true);
    BitBtnCancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), this);
    BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
    BitBtnCancel->setAccessibleName(tr("Cancel"));
    BitBtnCancel->setAccessibleDescription(tr("Closes the dialog and keeps the games shown"));
    BitBtnCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_inForce = choice();

    connect(BitBtnOK, &QPushButton::clicked, this, &TFormFilter::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFormFilter::reject);
}

QSpinBox *TFormFilter::spinBox(const QString &name, const QString &hint, const QString &spoken,
                               int first, int last, int value)
{
    auto *box = new QSpinBox(this);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->setAccessibleName(spoken);
    box->setRange(first, last);
    box->setValue(value);
    // Plain digits: a year reads 2026, never 2,026.
    box->setLocale(QLocale::c());
    return box;
}

void TFormFilter::setApplyFilter(ApplyFilter apply)
{
    m_apply = std::move(apply);
}

DateFilterChoice TFormFilter::choice() const
{
    using Kind = DateFilterChoice::Kind;
    DateFilterChoice chosen;
    chosen.kind = RadioButtonToday->isChecked()   ? Kind::Today
                  : RadioButtonDay->isChecked()   ? Kind::Day
                  : RadioButtonMonth->isChecked() ? Kind::Month
                  : RadioButtonDate->isChecked()  ? Kind::Range
                                                  : Kind::All;
    chosen.day = {SpinEditDM->value(), SpinEditDD->value(), SpinEditDY->value()};
    chosen.month = SpinEditM->value();
    chosen.monthYear = SpinEditMY->value();
    chosen.start = {SpinEditSM->value(), SpinEditSD->value(), SpinEditSY->value()};
    chosen.end = {SpinEditEM->value(), SpinEditED->value(), SpinEditEY->value()};
    return chosen;
}

void TFormFilter::setChoice(const DateFilterChoice &chosen)
{
    using Kind = DateFilterChoice::Kind;
    switch (chosen.kind) {
    case Kind::All:
        RadioButtonAll->setChecked(true);
        break;
    case Kind::Today:
        RadioButtonToday->setChecked(true);
        break;
    case Kind::Day:
        RadioButtonDay->setChecked(true);
        break;
    case Kind::Month:
        RadioButtonMonth->setChecked(true);
        break;
    case Kind::Range:
        RadioButtonDate->setChecked(true);
        break;
    }
    SpinEditDM->setValue(chosen.day.month);
    SpinEditDD->setValue(chosen.day.day);
    SpinEditDY->setValue(chosen.day.year);
    SpinEditM->setValue(chosen.month);
    SpinEditMY->setValue(chosen.monthYear);
    SpinEditSM->setValue(chosen.start.month);
    SpinEditSD->setValue(chosen.start.day);
    SpinEditSY->setValue(chosen.start.year);
    SpinEditEM->setValue(chosen.end.month);
    SpinEditED->setValue(chosen.end.day);
    SpinEditEY->setValue(chosen.end.year);
}

void TFormFilter::BitBtnOKClick()
{
    // Numbers typed but not yet taken by a box count as they read.
    for (QSpinBox *box : findChildren<QSpinBox *>())
        box->interpretText();
    const DateFilterChoice chosen = choice();
    const DateFilterText text = gameHistoryFilterText(chosen, QDate::currentDate());
    if (!text.error.isEmpty()) {
        prompts().warning(this, text.error);
        QSpinBox *day = chosen.kind == DateFilterChoice::Kind::Day ? SpinEditDD
                        : QDate(chosen.start.year, chosen.start.month, chosen.start.day).isValid()
                            ? SpinEditED
                            : SpinEditSD;
        day->setFocus();
        day->selectAll();
        return;
    }
    if (m_apply && !runCommand(this, [this, &text] { m_apply(text.filter); }))
        return;
    m_inForce = chosen;
    accept();
}

void TFormFilter::reject()
{
    setChoice(m_inForce);
    QDialog::reject();
}
