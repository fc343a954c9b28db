// SPDX-License-Identifier: GPL-3.0-or-later
// The card panel driven by a short script, as the user clicks it: "As Kd" clicks cards,
// "reset" clicks Reset Card, "@Tn" checks a slot's radio button.
#pragma once

#include "panel/cardbutton.h"
#include "panel/selcards.h"

#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QTest>

inline void clickCard(const QString &code)
{
    auto *button = FormSelCards->findChild<CardButton *>(QStringLiteral("Image") + code);
    QVERIFY2(button, qPrintable(code));
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void play(const QString &script)
{
    const QStringList steps = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &step : steps) {
        if (step == QLatin1String("reset")) {
            QTest::mouseClick(
                FormSelCards->findChild<QPushButton *>(QStringLiteral("ButtonClearCard")),
                Qt::LeftButton);
        } else if (step.startsWith(QLatin1Char('@'))) {
            auto *radio = FormSelCards->findChild<QRadioButton *>(QStringLiteral("RadioButton") +
                                                                  step.mid(1));
            QVERIFY2(radio, qPrintable(step));
            QTest::mouseClick(radio, Qt::LeftButton);
        } else {
            clickCard(step);
        }
    }
}
