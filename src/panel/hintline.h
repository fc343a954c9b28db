// SPDX-License-Identifier: GPL-3.0-or-later
// A one-line hint in a corner of a window: as much of the text as the room allows, ended by
// "…" when it does not fit, and the whole text in its tooltip and for a screen reader. Its
// width never makes the window wider.
#pragma once

#include <QLabel>

class HintLine : public QLabel
{
    Q_OBJECT

public:
    explicit HintLine(QWidget *parent = nullptr);

    void setHint(const QString &text);
    // Whether the whole text is on show.
    bool fits() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
