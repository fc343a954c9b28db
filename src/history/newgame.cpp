// SPDX-License-Identifier: GPL-3.0-or-later
// The New Game / Save dialog.
#include "newgame.h"

#include "app/dialogparts.h"

#include "app/commandguard.h"
#include "app/prompts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

TFormNewGame *FormNewGame = nullptr;

TFormNewGame::TFormNewGame(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setObjectName(QStringLiteral("FormNewGame"));
    setWindowTitle(tr("New Game / Save"));
    setAccessibleName(tr("New Game / Save"));

    GroupBoxResult = new QGroupBox(tr("Result"), this);
    GroupBoxResult->setObjectName(QStringLiteral("GroupBoxResult"));
    GroupBoxResult->setAccessibleName(tr("Result"));
    RadioButtonWin = namedRadioButton(QStringLiteral("RadioButtonWin"), tr("Win"), GroupBoxResult);
    RadioButtonLose =
        namedRadioButton(QStringLiteral("RadioButtonLose"), tr("Lose"), GroupBoxResult);
    RadioButtonSplit =
        namedRadioButton(QStringLiteral("RadioButtonSplit"), tr("Split"), GroupBoxResult);
    RadioButtonFold =
        namedRadioButton(QStringLiteral("RadioButtonFold"), tr("Fold"), GroupBoxResult);
    RadioButtonWin->setChecked(true);
    auto *results = new QVBoxLayout(GroupBoxResult);
    for (QRadioButton *button :
         {RadioButtonWin, RadioButtonLose, RadioButtonSplit, RadioButtonFold})
        results->addWidget(button);

    LabelTP = new QLabel(tr("Total players:"), this);
    LabelTP->setObjectName(QStringLiteral("LabelTP"));
    SpinEditTP = new QSpinBox(this);
    SpinEditTP->setObjectName(QStringLiteral("SpinEditTP"));
    SpinEditTP->setRange(2, 10);
    SpinEditTP->setValue(10);
    // Plain digits whatever the user's locale: the text becomes an item of "Active players".
    SpinEditTP->setLocale(QLocale::c());
    SpinEditTP->setAccessibleName(tr("Total players"));
    SpinEditTP->installEventFilter(this);
    LabelTP->setBuddy(SpinEditTP);
    auto *players = new QHBoxLayout;
    players->addWidget(LabelTP);
    players->addWidget(SpinEditTP);
    players->addStretch();

    BitBtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setAccessibleName(tr("OK"));
    BitBtnOK->setAccessibleDescription(tr("Records the game and starts the next one"));
    BitBtnOK->setDefault(true);
    // A click leaves the focus in the players box, so OK still sees a half-typed number
    // there instead of the box quietly putting back the previous one.
    BitBtnOK->setFocusPolicy(Qt::TabFocus);
    BitBtnCancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), this);
    BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
    BitBtnCancel->setAccessibleName(tr("Cancel"));
    BitBtnCancel->setAccessibleDescription(tr("Starts the next game without recording this one"));
    BitBtnCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBoxResult);
    layout->addLayout(players);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtnOK, &QPushButton::clicked, this, &TFormNewGame::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFormNewGame::resultText() const
{
    if (RadioButtonWin->isChecked())
        return QStringLiteral("Win");
    if (RadioButtonLose->isChecked())
        return QStringLiteral("Lose");
    if (RadioButtonSplit->isChecked())
        return QStringLiteral("Split");
    return QStringLiteral("Fold");
}

int TFormNewGame::totalPlayers() const
{
    return SpinEditTP->value();
}

QString TFormNewGame::totalPlayersText() const
{
    return SpinEditTP->text();
}

void TFormNewGame::setRecordGame(RecordStep step)
{
    m_recordGame = std::move(step);
}

void TFormNewGame::BitBtnOKClick()
{
    // A half-typed number ("" or "1") is refused before anything is written.
    if (!SpinEditTP->hasAcceptableInput()) {
        prompts().warning(this, tr("Total players must be a number from 2 to 10."));
        SpinEditTP->setFocus();
        SpinEditTP->selectAll();
        return;
    }
    m_outcome = recordGame();
    accept();
}

TFormNewGame::Outcome TFormNewGame::recordGame()
{
    if (!m_recordGame)
        return Outcome::None;
    bool written = false;
    const bool completed = runCommand(this, [this, &written] { written = m_recordGame(); });
    return completed && written ? Outcome::Recorded : Outcome::Failed;
}

void TFormNewGame::showEvent(QShowEvent *event)
{
    m_outcome = Outcome::None;
    QDialog::showEvent(event);
    // Centred on the screen rather than on the main window.
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
}

void TFormNewGame::done(int result)
{
    // However the dialog closes, the spin box shows a number the card panel accepts: an
    // unfinished entry falls back to the last valid one.
    SpinEditTP->interpretText();
    QDialog::done(result);
}

bool TFormNewGame::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the spin box would otherwise quietly replace a half-typed number before OK
    // sees it; send it to OK's own check instead.
    if (watched == SpinEditTP && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            BitBtnOKClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
