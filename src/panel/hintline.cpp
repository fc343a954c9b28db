// SPDX-License-Identifier: GPL-3.0-or-later
// The one-line hint.
#include "hintline.h"

#include <QPainter>

HintLine::HintLine(QWidget *parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setTextFormat(Qt::PlainText);
}

void HintLine::setHint(const QString &text)
{
    setText(text);
    setToolTip(text);
    // The text is the name; the tooltip repeating it would be said twice.
    setAccessibleDescription(tr("Hint"));
}

bool HintLine::fits() const
{
    return fontMetrics().horizontalAdvance(text()) <= contentsRect().width();
}

QSize HintLine::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(text()), fontMetrics().height()};
}

QSize HintLine::minimumSizeHint() const
{
    return {0, fontMetrics().height()};
}

void HintLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect room = contentsRect();
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}
