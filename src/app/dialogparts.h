// SPDX-License-Identifier: GPL-3.0-or-later
// Small pieces every fixed dialog of the program shares.
#pragma once

#include <QRadioButton>
#include <QString>

// A dialog of fixed size with a title bar, a system menu and a close box, nothing more.
inline const Qt::WindowFlags kFixedDialogFlags =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// A radio button with its control name and the caption a screen reader speaks.
inline QRadioButton *namedRadioButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    return button;
}
