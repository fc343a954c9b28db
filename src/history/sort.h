// SPDX-License-Identifier: GPL-3.0-or-later
// The Sort History dialog: one column and a direction for both history grids at once. Created
// once at start; keeps the choice in force between openings.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TFormSort : public QDialog
{
    Q_OBJECT

public:
    // Puts the sort text on both history tables; an exception it throws is shown by the
    // general error report, and the dialog then stays open.
    using ApplySort = std::function<void(const QString &sort)>;

    explicit TFormSort(QWidget *parent = nullptr);

    void setApplySort(ApplySort apply);

public Q_SLOTS:
    // OK: a text in "Sort By:" that names no column is reported and nothing changes;
    // otherwise both grids are sorted and the dialog closes.
    void BitBtnOKClick();

protected:
    // Cancel or Esc: the controls show the choice in force again.
    void reject() override;

private:
    QLabel *LabelSortBy = nullptr;
    QComboBox *ComboBoxSortBy = nullptr;
    QRadioButton *RadioButtonAsc = nullptr;
    QRadioButton *RadioButtonDesc = nullptr;
    QPushButton *BitBtnOK = nullptr;
    QPushButton *BitBtnCancel = nullptr;

    ApplySort m_apply;
    int m_itemInForce = 0;
    bool m_descendingInForce = true;
};

// The one Sort History dialog, made by the start-up code.
extern TFormSort *FormSort;
