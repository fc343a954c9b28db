// SPDX-License-Identifier: GPL-3.0-or-later
// The small card picture.
#include "cardbutton.h"

#include "engine/cards.h"
#include "panel/cardkeys.h"
#include "panel/cardpictures.h"

#include <QKeyEvent>
#include <QPainter>

namespace {
// Room around the face for the keyboard focus ring.
constexpr int kRing = 1;
const QColor kRingColour(255, 215, 0);
const QColor kMarkColour(255, 140, 0);
} // namespace

CardButton::CardButton(int cardIndex, QWidget *parent)
    : QAbstractButton(parent), cardIndex_(cardIndex)
{
    const QString name = QString::fromStdString(tallowby::cardName(cardIndex));
    const std::string code = tallowby::cardCode(cardIndex);
    setObjectName(QStringLiteral("Image") + QString::fromStdString(code));
    setAccessibleName(name);
    setToolTip(name);
    // Said after the name: the keys that enter the card, never the name a second time.
    typingHint_ = tr("Keys %1 %2")
                      .arg(QChar::fromLatin1(code.at(0)).toUpper(), QChar::fromLatin1(code.at(1)));
    setAccessibleDescription(typingHint_);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

QSize CardButton::sizeHint() const
{
    return cardpictures::kSmallSize + QSize(2 * kRing, 2 * kRing);
}

void CardButton::setMarked(bool marked, const QString &hint)
{
    if (marked != marked_) {
        marked_ = marked;
        update();
    }
    setAccessibleDescription(marked && !hint.isEmpty() ? hint : typingHint_);
}

void CardButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(QPoint(kRing, kRing), cardpictures::smallCard(cardIndex_));
    painter.setBrush(Qt::NoBrush);
    if (marked_) {
        // A wide frame over the face's edge, seen at a glance across the deck.
        painter.setPen(QPen(kMarkColour, 3));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
    if (hasFocus() || isDown()) {
        painter.setPen(QPen(kRingColour, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CardButton::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        if (plain)
            moveFocus(0, -1);
        return;
    case Qt::Key_Right:
        if (plain)
            moveFocus(0, 1);
        return;
    case Qt::Key_Up:
        if (plain)
            moveFocus(-1, 0);
        return;
    case Qt::Key_Down:
        if (plain)
            moveFocus(1, 0);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            click();
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void CardButton::moveFocus(int rowStep, int columnStep)
{
    const int next = deckNeighbour(cardIndex_, rowStep, columnStep);
    if (next == cardIndex_ || !parentWidget())
        return;
    const auto cards = parentWidget()->findChildren<CardButton *>(Qt::FindDirectChildrenOnly);
    for (CardButton *card : cards) {
        if (card->cardIndex() == next) {
            card->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// The deck is one tab stop: the card last focused, so Tab comes back to it and leaves the deck
// at once.
void CardButton::focusInEvent(QFocusEvent *event)
{
    if (QWidget *deck = parentWidget()) {
        const auto cards = deck->findChildren<CardButton *>(Qt::FindDirectChildrenOnly);
        for (CardButton *card : cards)
            card->setFocusPolicy(card == this ? Qt::StrongFocus : Qt::ClickFocus);
    }
    QAbstractButton::focusInEvent(event);
}
