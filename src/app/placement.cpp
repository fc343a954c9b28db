// SPDX-License-Identifier: GPL-3.0-or-later
// Placing the start windows.
#include "placement.h"

#include <QLayout>
#include <QWidget>
#include <QWindow>

#include <limits>
#include <vector>

namespace {

qint64 area(const QRect &r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

QRect clampedInto(QRect r, const QRect &available)
{
    const int x = std::max(available.left(), std::min(r.x(), available.right() + 1 - r.width()));
    const int y = std::max(available.top(), std::min(r.y(), available.bottom() + 1 - r.height()));
    r.moveTopLeft(QPoint(x, y));
    return r;
}

enum class Prefer
{
    AboveOrBelow,
    Sides
};

// Places of a window of the given size around an anchor: below and above (centred, then flush
// with either edge), right and left (flush with the top, then the bottom); the sides first when
// so preferred.
std::vector<QRect> besideOf(const QRect &anchor, const QSize &size, int gap, Prefer prefer)
{
    const int w = size.width();
    const int h = size.height();
    const int centredX = anchor.center().x() - w / 2;
    const int below = anchor.bottom() + 1 + gap;
    const int above = anchor.top() - gap - h;
    const int right = anchor.right() + 1 + gap;
    const int left = anchor.left() - gap - w;
    const std::vector<QRect> vertical{QRect(centredX, below, w, h),
                                      QRect(anchor.left(), below, w, h),
                                      QRect(anchor.right() + 1 - w, below, w, h),
                                      QRect(centredX, above, w, h),
                                      QRect(anchor.left(), above, w, h),
                                      QRect(anchor.right() + 1 - w, above, w, h)};
    const std::vector<QRect> sides{
        QRect(right, anchor.top(), w, h), QRect(right, anchor.bottom() + 1 - h, w, h),
        QRect(left, anchor.top(), w, h), QRect(left, anchor.bottom() + 1 - h, w, h)};
    std::vector<QRect> places = prefer == Prefer::Sides ? sides : vertical;
    const std::vector<QRect> &rest = prefer == Prefer::Sides ? vertical : sides;
    places.insert(places.end(), rest.begin(), rest.end());
    return places;
}

qint64 overlap(const QRect &r, const std::vector<QRect> &placed, int gap)
{
    qint64 total = 0;
    for (const QRect &other : placed)
        total += area(r.intersected(other.adjusted(-gap, -gap, gap, gap)));
    return total;
}

// The first place beside one of the anchors that stays on the screen and clear of the placed
// windows; the least overlapping one when there is none.
QRect bestPlace(const std::vector<QRect> &anchors, const QSize &size, Prefer prefer,
                const QRect &available, const std::vector<QRect> &placed, int gap, qint64 &cost)
{
    QRect best;
    cost = std::numeric_limits<qint64>::max();
    for (const QRect &anchor : anchors) {
        for (const QRect &candidate : besideOf(anchor, size, gap, prefer)) {
            const QRect onScreen = clampedInto(candidate, available);
            const qint64 c = overlap(onScreen, placed, gap);
            if (c < cost) {
                cost = c;
                best = onScreen;
                if (c == 0)
                    return best;
            }
        }
    }
    return best;
}

} // namespace

StartPlacement placeStartWindows(const QRect &available, const QSize &mainFrame,
                                 const QSize &panelFrame, const QSize &potOddsFrame, int gap)
{
    QRect centred(QPoint(), mainFrame);
    centred.moveCenter(available.center());
    const QRect a = available;
    const int w = mainFrame.width();
    const int h = mainFrame.height();
    // The middle first, then the middle of each edge, then the corners.
    const QRect mainTrials[] = {
        centred,
        QRect(centred.x(), a.top(), w, h),
        QRect(centred.x(), a.bottom() + 1 - h, w, h),
        QRect(a.left(), centred.y(), w, h),
        QRect(a.right() + 1 - w, centred.y(), w, h),
        QRect(a.left(), a.top(), w, h),
        QRect(a.right() + 1 - w, a.top(), w, h),
        QRect(a.left(), a.bottom() + 1 - h, w, h),
        QRect(a.right() + 1 - w, a.bottom() + 1 - h, w, h),
    };

    StartPlacement best;
    qint64 bestCost = std::numeric_limits<qint64>::max();
    for (const QRect &trial : mainTrials) {
        StartPlacement p;
        p.main = clampedInto(trial, available);
        qint64 panelCost = 0;
        qint64 potOddsCost = 0;
        // The wide card panel under (or over) the main window, the small calculator at its side.
        p.panel = bestPlace({p.main}, panelFrame, Prefer::AboveOrBelow, available, {p.main}, gap,
                            panelCost);
        p.potOdds = bestPlace({p.main, p.panel}, potOddsFrame, Prefer::Sides, available,
                              {p.main, p.panel}, gap, potOddsCost);
        const qint64 cost = panelCost + potOddsCost;
        if (cost < bestCost) {
            bestCost = cost;
            best = p;
            if (cost == 0)
                break;
        }
    }
    return best;
}

QMargins estimatedFrameMargins(const QWidget &shownOrNot)
{
    const QRect frame = shownOrNot.frameGeometry();
    const QRect inner = shownOrNot.geometry();
    const QMargins real(inner.left() - frame.left(), inner.top() - frame.top(),
                        frame.right() - inner.right(), frame.bottom() - inner.bottom());
    if (real.top() > 0)
        return real;
    return {6, 34, 6, 6};
}

void moveFrameTo(QWidget &window, const QPoint &frameTopLeft)
{
    // A created window moved through QWidget::move() would place its client area there and
    // push the title bar above the given point, off the top of the screen.
    if (QWindow *handle = window.windowHandle())
        handle->setFramePosition(frameTopLeft);
    else
        window.move(frameTopLeft);
}

QSize windowSizeBeforeShow(QWidget &window)
{
    if (window.layout())
        window.layout()->activate();
    if (window.testAttribute(Qt::WA_Resized))
        return window.size();
    return window.sizeHint().expandedTo(window.minimumSize()).boundedTo(window.maximumSize());
}
