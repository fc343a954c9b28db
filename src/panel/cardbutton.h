// SPDX-License-Identifier: GPL-3.0-or-later
// One small card picture of the card panel's deck: a button that shows the card's face and is
// named after the card, so it can be clicked, tabbed to and read out. Space or Enter presses
// it; the arrow keys move the focus to the next card of the deck by rows and columns.
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

    // Marked while a typed rank waits for its suit: this card is one the next key can enter.
    // `hint` says so to a screen reader.
    void setMarked(bool marked, const QString &hint = QString());
    bool isMarked() const { return marked_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // To the card beside this one on the deck; nowhere at the deck's edge.
    void moveFocus(int rowStep, int columnStep);

    int cardIndex_;
    QString typingHint_;
    bool marked_ = false;
};
