// SPDX-License-Identifier: GPL-3.0-or-later
// Card pictures painted with QPainter: suit symbols are vector paths, so they stay sharp at
// the 20 by 30 deck size and on high-density screens alike.
#include "cardpictures.h"

#include "engine/cards.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace cardpictures {
namespace {

const QColor kRed(196, 18, 38);
const QColor kBlack(22, 22, 26);
const QColor kEdge(70, 70, 78);
const QColor kFace(255, 255, 255);
const QColor kBackField(28, 52, 112);
const QColor kBackLattice(112, 142, 214);

enum Suit
{
    Spades,
    Diamonds,
    Clubs,
    Hearts
};

// Rank values as the engine counts them, deuce 1 .. ace 13.
constexpr int kTen = 9;
constexpr int kJack = 10;
constexpr int kKing = 12;
constexpr int kAce = 13;

// Every symbol is drawn in the unit square, point or stem downwards where it has one.
QPainterPath heartPath()
{
    QPainterPath p;
    p.moveTo(0.5, 0.24);
    p.cubicTo(0.5, 0.09, 0.39, 0.0, 0.255, 0.0);
    p.cubicTo(0.1, 0.0, 0.0, 0.13, 0.0, 0.29);
    p.cubicTo(0.0, 0.57, 0.32, 0.73, 0.5, 1.0);
    p.cubicTo(0.68, 0.73, 1.0, 0.57, 1.0, 0.29);
    p.cubicTo(1.0, 0.13, 0.9, 0.0, 0.745, 0.0);
    p.cubicTo(0.61, 0.0, 0.5, 0.09, 0.5, 0.24);
    p.closeSubpath();
    return p;
}

QPainterPath stemPath()
{
    QPainterPath p;
    p.moveTo(0.46, 0.58);
    p.quadTo(0.44, 0.9, 0.26, 1.0);
    p.lineTo(0.74, 1.0);
    p.quadTo(0.56, 0.9, 0.54, 0.58);
    p.closeSubpath();
    return p;
}

QPainterPath spadePath()
{
    // A heart turned upside down, squeezed into the upper 80 %, on a flared stem.
    const QTransform flip = QTransform::fromTranslate(0.0, 0.8).scale(1.0, -0.8);
    return flip.map(heartPath()).united(stemPath());
}

QPainterPath clubPath()
{
    constexpr qreal r = 0.235;
    QPainterPath p;
    p.addEllipse(QPointF(0.5, 0.245), r, r);
    p.addEllipse(QPointF(0.245, 0.575), r, r);
    p.addEllipse(QPointF(0.755, 0.575), r, r);
    QPainterPath core; // fills the gap between the three leaves
    core.addPolygon(QPolygonF{{0.5, 0.3}, {0.3, 0.58}, {0.7, 0.58}});
    core.closeSubpath();
    return p.united(core).united(stemPath());
}

QPainterPath diamondPath()
{
    QPainterPath p;
    p.moveTo(0.5, 0.0);
    p.quadTo(0.64, 0.27, 0.88, 0.5);
    p.quadTo(0.64, 0.73, 0.5, 1.0);
    p.quadTo(0.36, 0.73, 0.12, 0.5);
    p.quadTo(0.36, 0.27, 0.5, 0.0);
    p.closeSubpath();
    return p;
}

const QPainterPath &suitPath(int suit)
{
    static const QPainterPath paths[] = {spadePath(), diamondPath(), clubPath(), heartPath()};
    return paths[suit];
}

QColor suitColour(int suit)
{
    return suit == Diamonds || suit == Hearts ? kRed : kBlack;
}

// "10" reads better than the program's "T" on a card face.
QString faceRank(int value)
{
    return value == kTen ? QStringLiteral("10")
                         : QString(QChar::fromLatin1(tallowby::rankLetter(value)));
}

qreal snap(qreal v, qreal dpr)
{
    return std::round(v * dpr) / dpr;
}

void drawSuit(QPainter &painter, int suit, const QRectF &box)
{
    const qreal side = std::min(box.width(), box.height());
    QTransform place;
    place.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    place.scale(side, side);
    painter.fillPath(place.map(suitPath(suit)), suitColour(suit));
}

// The rank centred on its inked shape, not on the font's line box, condensed when too wide.
void drawRank(QPainter &painter, const QString &text, const QRectF &box, int pixelSize,
              const QColor &colour, qreal dpr)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    if (ink.width() > box.width()) {
        font.setStretch(QFont::Condensed);
        font.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
        ink = QFontMetricsF(font).tightBoundingRect(text);
    }
    const qreal x = snap(box.center().x() - ink.center().x(), dpr);
    const qreal y = snap(box.center().y() - ink.center().y(), dpr);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(x, y), text);
}

void drawBlank(QPainter &painter, const QSize &size, qreal radius)
{
    const QRectF outline = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(kEdge, 1.0));
    painter.setBrush(kFace);
    painter.drawRoundedRect(outline, radius, radius);
}

QImage canvas(const QSize &size, qreal dpr)
{
    QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    return image;
}

void paintSmallFace(QPainter &painter, int index, qreal dpr)
{
    const int suit = tallowby::cardSuit(index);
    drawBlank(painter, kSmallSize, 2.5);
    drawRank(painter, faceRank(tallowby::cardValue(index)), QRectF(1.5, 2, 17, 11), 12,
             suitColour(suit), dpr);
    drawSuit(painter, suit, QRectF(4, 15.5, 12, 12));
}

void paintLargeCorner(QPainter &painter, int index, qreal dpr)
{
    const int suit = tallowby::cardSuit(index);
    drawRank(painter, faceRank(tallowby::cardValue(index)), QRectF(2.5, 3.5, 12, 11), 12,
             suitColour(suit), dpr);
    drawSuit(painter, suit, QRectF(3.5, 17, 10, 10));
}

void paintLargeFace(QPainter &painter, int index, qreal dpr)
{
    const int suit = tallowby::cardSuit(index);
    const int value = tallowby::cardValue(index);
    drawBlank(painter, kLargeSize, 4);

    paintLargeCorner(painter, index, dpr);
    painter.save();
    painter.translate(kLargeSize.width(), kLargeSize.height());
    painter.rotate(180);
    paintLargeCorner(painter, index, dpr);
    painter.restore();

    const QPointF centre(kLargeSize.width() / 2.0, kLargeSize.height() / 2.0);
    if (value >= kJack && value <= kKing) {
        // Jack, queen and king: a framed panel with the letter over the suit.
        const QRectF frame(17.5, 12.5, 22, 52);
        QColor tint = suitColour(suit);
        tint.setAlpha(24);
        painter.setPen(QPen(suitColour(suit), 1.0));
        painter.setBrush(tint);
        painter.drawRect(frame);
        drawRank(painter, faceRank(value), QRectF(frame.left(), frame.top() + 4, frame.width(), 20),
                 20, suitColour(suit), dpr);
        drawSuit(painter, suit, QRectF(frame.left() + 2, frame.top() + 27, frame.width() - 4, 18));
        return;
    }
    const qreal side = value == kAce ? 32 : 26; // the ace carries the largest symbol
    drawSuit(painter, suit, QRectF(centre - QPointF(side / 2, side / 2), QSizeF(side, side)));
}

void paintBack(QPainter &painter)
{
    drawBlank(painter, kLargeSize, 4);
    const QRectF field = QRectF(QPointF(0, 0), kLargeSize).adjusted(4, 4, -4, -4);
    QPainterPath clip;
    clip.addRoundedRect(field, 2, 2);
    painter.setClipPath(clip);
    painter.fillRect(field, kBackField);

    // A diagonal lattice inside a thin frame.
    painter.setPen(QPen(kBackLattice, 1.0));
    constexpr qreal step = 7.0;
    const qreal reach = field.width() + field.height();
    for (qreal d = -reach; d <= reach; d += step) {
        painter.drawLine(QPointF(field.left() + d, field.top()),
                         QPointF(field.left() + d + field.height(), field.bottom()));
        painter.drawLine(QPointF(field.right() - d, field.top()),
                         QPointF(field.right() - d - field.height(), field.bottom()));
    }
    painter.setClipping(false);
    painter.setPen(QPen(kBackLattice, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(field.adjusted(2, 2, -2, -2), 1.5, 1.5);
}

qreal screenRatio()
{
    const auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    return app ? app->devicePixelRatio() : 1.0;
}

template <typename Paint> QPixmap cached(const char *kind, int index, Paint paint)
{
    const qreal dpr = screenRatio();
    const QString key =
        QStringLiteral("tallowby/card/%1/%2@%3").arg(QLatin1String(kind)).arg(index).arg(dpr);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap::fromImage(paint(index, dpr));
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

bool isFace(int index)
{
    return index >= 1 && index <= tallowby::kCardCount;
}

} // namespace

QImage paintSmallCard(int index, qreal devicePixelRatio)
{
    if (!isFace(index))
        return {};
    QImage image = canvas(kSmallSize, devicePixelRatio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintSmallFace(painter, index, devicePixelRatio);
    return image;
}

QImage paintLargeCard(int index, qreal devicePixelRatio)
{
    if (index != 0 && !isFace(index))
        return {};
    QImage image = canvas(kLargeSize, devicePixelRatio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (index == 0)
        paintBack(painter);
    else
        paintLargeFace(painter, index, devicePixelRatio);
    return image;
}

QPixmap smallCard(int index)
{
    if (!isFace(index))
        return {};
    return cached("small", index, paintSmallCard);
}

QPixmap largeCard(int index)
{
    if (index != 0 && !isFace(index))
        return {};
    return cached("large", index, paintLargeCard);
}

} // namespace cardpictures
