// SPDX-License-Identifier: GPL-3.0-or-later
// The View dialog: chooses which games the "Game History" tab shows (all, today's, one day's,
// one month's, or a range of dates). Created once at start; keeps the choice in force between
// openings.
#pragma once

#include "history/datefilter.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TFormFilter : public QDialog
{
    Q_OBJECT

public:
    // Puts the filter text on the Game History; an exception it throws is shown by the general
    // error report, and the dialog then stays open.
    using ApplyFilter = std::function<void(const QString &filter)>;

    // The year boxes run from 1980 to 2099.
    static constexpr int kFirstYear = 1980;
    static constexpr int kLastYear = 2099;

    explicit TFormFilter(QWidget *parent = nullptr);

    void setApplyFilter(ApplyFilter apply);

    // The choice the controls show.
    DateFilterChoice choice() const;
    void setChoice(const DateFilterChoice &choice);
    // The choice of the last OK, or the one at start.
    DateFilterChoice choiceInForce() const { return m_inForce; }

public Q_SLOTS:
    // OK: a day that does not exist is reported and nothing changes; otherwise the filter is
    // applied and the dialog closes.
    void BitBtnOKClick();

protected:
    // Cancel or Esc: the controls show the choice in force again.
    void reject() override;

private:
    QSpinBox *spinBox(const QString &name, const QString &hint, const QString &spoken, int first,
                      int last, int value);

    QRadioButton *RadioButtonAll = nullptr;
    QRadioButton *RadioButtonToday = nullptr;
    QRadioButton *RadioButtonDay = nullptr;
    QRadioButton *RadioButtonMonth = nullptr;
    QRadioButton *RadioButtonDate = nullptr;
    QSpinBox *SpinEditDM = nullptr;
    QSpinBox *SpinEditDD = nullptr;
    QSpinBox *SpinEditDY = nullptr;
    QSpinBox *SpinEditM = nullptr;
    QSpinBox *SpinEditMY = nullptr;
    QLabel *LabelStart = nullptr;
    QSpinBox *SpinEditSM = nullptr;
    QSpinBox *SpinEditSD = nullptr;
    QSpinBox *SpinEditSY = nullptr;
    QLabel *LabelEnd = nullptr;
    QSpinBox *SpinEditEM = nullptr;
    QSpinBox *SpinEditED = nullptr;
    QSpinBox *SpinEditEY = nullptr;
    QPushButton *BitBtnOK = nullptr;
    QPushButton *BitBtnCancel = nullptr;

    ApplyFilter m_apply;
    DateFilterChoice m_inForce;
};

// The one View dialog, made by the start-up code.
extern TFormFilter *FormFilter;
