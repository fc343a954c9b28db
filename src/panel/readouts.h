// SPDX-License-Identifier: GPL-3.0-or-later
// The card panel's outputs: the three number read-outs and the two verdict panels. Each keeps
// its accessible name in step with what it shows ("Outs: 7", "Hit verdict: Check/Call").
#pragma once

#include <QColor>
#include <QLabel>

// The table's green, the card panel's background and the colour of an empty verdict.
inline const QColor kTableGreen(0, 128, 0);

class ReadoutLabel : public QLabel
{
    Q_OBJECT

public:
    ReadoutLabel(const QString &caption, QWidget *parent = nullptr);

    void setValue(const QString &value);
    QString value() const { return text(); }
    QString caption() const { return caption_; }

private:
    QString caption_;
};

class VerdictPanel : public QLabel
{
    Q_OBJECT

public:
    VerdictPanel(const QString &role, QWidget *parent = nullptr);

    void setVerdict(const QString &verdict);
    QString verdict() const { return text(); }
    void setColour(const QColor &colour);
    QColor colour() const;

private:
    void updateAccessibleName();

    QString role_;
};
