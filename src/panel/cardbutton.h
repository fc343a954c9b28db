// SPDX-License-Identifier: GPL-3.0-or-later
// One small card picture of the card panel's deck: a button that shows the card's face and is
// named after the card, so it can be clicked, tabbed to and read out.
#pragma once

#include <QAbstractButton>

class CardButton : public QAbstractButton
{
    Q_OBJECT

public:
    // Card index 1..52.
    explicit CardButton(int cardIndex, QWidget *parent = nullptr);

    int cardIndex() const { return cardIndex_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int cardIndex_;
};
