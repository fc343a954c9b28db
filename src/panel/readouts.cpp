// SPDX-License-Identifier: GPL-3.0-or-later
// The read-outs and verdict panels.
#include "readouts.h"

#include <QFont>
#include <QPalette>

ReadoutLabel::ReadoutLabel(const QString &caption, QWidget *parent)
    : QLabel(parent), caption_(caption)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setMargin(2);
    fitValues(QStringLiteral("100.0"));
    setValue(QStringLiteral("0"));
}

void ReadoutLabel::setValue(const QString &value)
{
    setValue(value, value);
}

void ReadoutLabel::setValue(const QString &value, const QString &spoken)
{
    setText(value);
    setAccessibleName(tr("%1: %2").arg(caption_, spoken));
}

void ReadoutLabel::fitValues(const QString &widest)
{
    setFixedWidth(fontMetrics().horizontalAdvance(widest) + 16);
}

VerdictPanel::VerdictPanel(const QString &role, QWidget *parent) : QLabel(parent), role_(role)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Raise All-In")) + 48);
    setColour(kTableGreen);
    updateAccessibleName();
}

void VerdictPanel::setVerdict(const QString &verdict)
{
    setText(verdict);
    updateAccessibleName();
}

void VerdictPanel::setColour(const QColor &colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
}

QColor VerdictPanel::colour() const
{
    return palette().color(QPalette::Window);
}

void VerdictPanel::updateAccessibleName()
{
    setAccessibleName(tr("%1: %2").arg(role_, text().isEmpty() ? tr("none") : text()));
}
