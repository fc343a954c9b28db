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
    // The same, said differently by a screen reader: "≈ 39.0" as "about 39.0".
    void setValue(const QString &value, const QString &spoken);
    QString value() const { return text(); }
    // Makes room for values as wide as `widest` (the default room is "100.0").
    void fitValues(const QString &widest);
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
