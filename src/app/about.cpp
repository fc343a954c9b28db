// SPDX-License-Identifier: GPL-3.0-or-later
// The About box.
#include "about.h"

#include "app/dialogparts.h"

#include "panel/cardpictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kAceOfSpades = 13;
}

TFormAbout::TFormAbout(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("About"));
    setAccessibleName(tr("About"));

    ImageLogo = new QLabel(this);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setPixmap(cardpictures::largeCard(kAceOfSpades));
    ImageLogo->setAccessibleName(tr("Ace of spades"));

    LabelName = new QLabel(tr("Hold'em Tallowby"), this);
    LabelName->setObjectName(QStringLiteral("LabelName"));
    QFont nameFont = LabelName->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    LabelName->setFont(nameFont);
    LabelName->setAccessibleName(LabelName->text());

    LabelVersion = new QLabel(tr("Version 1.0"), this);
    LabelVersion->setObjectName(QStringLiteral("LabelVersion"));
    LabelVersion->setAccessibleName(LabelVersion->text());

    ButtonOK = new QPushButton(tr("OK"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setAccessibleName(tr("OK"));
    ButtonOK->setDefault(true);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(LabelName);
    texts->addWidget(LabelVersion);
    texts->addStretch();
    texts->addWidget(ButtonOK, 0, Qt::AlignRight);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(ImageLogo, 0, Qt::AlignTop);
    layout->addSpacing(8);
    layout->addLayout(texts, 1);
    // The design size, or what a larger font needs.
    setFixedSize(QSize(280, 150).expandedTo(minimumSizeHint()));
}

void TFormAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the screen rather than on the main window.
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
}
