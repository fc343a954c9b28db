// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: program name and version. Created when opened, destroyed when closed.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TFormAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TFormAbout(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *ImageLogo = nullptr;
    QLabel *LabelName = nullptr;
    QLabel *LabelVersion = nullptr;
    QPushButton *ButtonOK = nullptr;
};
