// SPDX-License-Identifier: GPL-3.0-or-later
// The small card picture.
#include "cardbutton.h"

#include "engine/cards.h"
#include "panel/cardpictures.h"

#include <QPainter>

namespace {
// Room around the face for the keyboard focus ring.
constexpr int kRing = 1;
} // namespace

CardButton::CardButton(int cardIndex, QWidget *parent)
    : QAbstractButton(parent), cardIndex_(cardIndex)
{
    const QString name = QString::fromStdString(tallowby::cardName(cardIndex));
    const std::string code = tallowby::cardCode(cardIndex);
    setObjectName(QStringLiteral("Image") + QString::fromStdString(code));
    setAccessibleName(name);
    setToolTip(name);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

QSize CardButton::sizeHint() const
{
    return cardpictures::kSmallSize + QSize(2 * kRing, 2 * kRing);
}

void CardButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(QPoint(kRing, kRing), cardpictures::smallCard(cardIndex_));
    if (hasFocus() || isDown()) {
        painter.setPen(QPen(QColor(255, 215, 0), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
