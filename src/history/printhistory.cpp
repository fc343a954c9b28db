// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog.
#include "history/printhistory.h"

#include "app/dialogparts.h"

#include "app/commandguard.h"
#include "db/dbtable.h"
#include "report/reportrenderer.h"
#include "report/reportsource.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

TFormPrint *FormPrint = nullptr;

TFormPrint::TFormPrint(TFormQRHistory &report, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags), m_report(report)
{
    setObjectName(QStringLiteral("FormPrint"));
    setWindowTitle(tr("Print..."));
    setAccessibleName(tr("Print"));

    RadioButtonGH = new QRadioButton(tr("Game History"), this);
    RadioButtonGH->setObjectName(QStringLiteral("RadioButtonGH"));
    RadioButtonGH->setAccessibleName(tr("Game History"));
    RadioButtonGH->setAccessibleDescription(tr("Prints all games as the Game History shows them"));
    RadioButtonGH->setChecked(true);
    RadioButtonHH = new QRadioButton(tr("Hand History"), this);
    RadioButtonHH->setObjectName(QStringLiteral("RadioButtonHH"));
    RadioButtonHH->setAccessibleName(tr("Hand History"));
    RadioButtonHH->setAccessibleDescription(
        tr("Prints the games with the current hole cards as the Hand History shows them"));

    BitBtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setAccessibleName(tr("OK"));
    BitBtnOK->setAccessibleDescription(tr("Prints the chosen view"));
    BitBtnOK->setDefault(true);
    BitBtnCancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), this);
    BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
    BitBtnCancel->setAccessibleName(tr("Cancel"));
    BitBtnCancel->setAccessibleDescription(tr("Closes the dialog without printing"));
    BitBtnCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(RadioButtonGH);
    layout->addWidget(RadioButtonHH);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setFixedSize(QSize(kClientWidth, kClientHeight).expandedTo(minimumSizeHint()));

    connect(BitBtnOK, &QPushButton::clicked, this, &TFormPrint::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormPrint::setTables(DbTable *gameHistory, DbTable *handHistory)
{
    m_gameHistory = gameHistory;
    m_handHistory = handHistory;
}

void TFormPrint::BitBtnOKClick()
{
    m_outcome.reset();
    runCommand(this, [this] { printView(); });
    accept();
}

void TFormPrint::printView()
{
    const bool handHistory = RadioButtonHH->isChecked();
    DbTable *table = handHistory ? m_handHistory : m_gameHistory;
    if (!table)
        throw ReportError(tr("No history database open"));
    // The grid stays still while the report walks its table, and follows once at the end.
    const SuspendedViews quiet(*table);
    m_report.setTitle(handHistory ? tr("Hand History") : tr("Game History"));
    m_report.bindTable(*table);
    m_outcome = m_report.print(this);
}

void TFormPrint::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the screen rather than on the main window.
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
}
