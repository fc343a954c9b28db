// SPDX-License-Identifier: GPL-3.0-or-later
// The "Print..." dialog: choose the Game History or the Hand History view and print it as it
// stands, in its filter and order. Created once at start; the last choice stays selected.
#pragma once

#include "history/QRHistory.h"

#include <QDialog>

#include <optional>

class DbTable;
class QPushButton;
class QRadioButton;

class TFormPrint : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 180;
    static constexpr int kClientHeight = 105;

    // The report must outlive the dialog.
    explicit TFormPrint(TFormQRHistory &report, QWidget *parent = nullptr);

    // The tables behind the "Game History" and "Hand History" grids.
    void setTables(DbTable *gameHistory, DbTable *handHistory);

    // How the last OK ended; nothing after Cancel or a failure.
    std::optional<TFormQRHistory::Outcome> lastOutcome() const { return m_outcome; }

public Q_SLOTS:
    // Prints the chosen view, then closes the dialog, also when the print failed.
    void BitBtnOKClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void printView();

    TFormQRHistory &m_report;
    DbTable *m_gameHistory = nullptr;
    DbTable *m_handHistory = nullptr;
    std::optional<TFormQRHistory::Outcome> m_outcome;

    QRadioButton *RadioButtonGH = nullptr;
    QRadioButton *RadioButtonHH = nullptr;
    QPushButton *BitBtnOK = nullptr;
    QPushButton *BitBtnCancel = nullptr;
};

// The one print dialog, made by the start-up code.
extern TFormPrint *FormPrint;
