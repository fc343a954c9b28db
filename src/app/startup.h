// SPDX-License-Identifier: GPL-3.0-or-later
// The program's long-lived windows: created once at start in a fixed order, each reachable
// through its global pointer, and destroyed in the reverse order at the end.
#pragma once

#include <memory>

class TFormFilter;
class TFormGraph;
class TFormNewGame;
class TFormPotOdds;
class TFormPrint;
class TFormQRHistory;
class TFormSelCards;
class TFormSort;
class TFormTallowby;

// The application's title, shown on the task bar and in message boxes.
inline constexpr const char *kApplicationTitle = "Hold'em Tallowby 1.0";
// The class of every window of the program, and its instance name in lower case.
inline constexpr const char *kWindowClass = "Tallowby";
inline constexpr const char *kWindowInstance = "tallowby";

class LongLivedWindows
{
public:
    // Sets the application title, then makes the main window, the card panel, the New Game /
    // Save dialog, the filter dialog, the report layout, the print dialog, the sort dialog, the
    // graph window and the pot-odds window, in that order, and sets their global pointers.
    LongLivedWindows();
    ~LongLivedWindows();
    LongLivedWindows(const LongLivedWindows &) = delete;
    LongLivedWindows &operator=(const LongLivedWindows &) = delete;

private:
    std::unique_ptr<TFormTallowby> tallowby_;
    std::unique_ptr<TFormSelCards> selCards_;
    std::unique_ptr<TFormNewGame> newGame_;
    std::unique_ptr<TFormFilter> filter_;
    std::unique_ptr<TFormQRHistory> qrHistory_;
    std::unique_ptr<TFormPrint> print_;
    std::unique_ptr<TFormSort> sort_;
    std::unique_ptr<TFormGraph> graph_;
    std::unique_ptr<TFormPotOdds> potOdds_;
};
