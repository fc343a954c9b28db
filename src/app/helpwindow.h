// SPDX-License-Identifier: GPL-3.0-or-later
// The program's help window: the pages of the compiled help file, with its table of contents
// and keyword index beside them, and Back, Forward and Home.
#pragma once

#include "app/chmarchive.h"

#include <QWidget>

class HelpBrowser;
class QAction;
class QLineEdit;
class QListView;
class QModelIndex;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTabWidget;
class QTreeView;
class QUrl;

class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // Takes over an open archive and shows its default topic.
    explicit HelpWindow(ChmArchive archive, QWidget *parent = nullptr);

    // A page of the archive, relative to its root, with an optional fragment
    // ("potodds.html#profit").
    void showPage(const QString &page);
    // The page on view, as an archive path with its fragment ("/potodds.html#profit").
    QString currentPage() const;
    QString helpFilePath() const;

private:
    void buildControls();
    void fillContents();
    void fillIndex();
    void connectSignals();

    void followLink(const QUrl &url);
    void pageChanged(const QUrl &url);
    void openContentsEntry(const QModelIndex &index);
    void openIndexEntry(const QModelIndex &index);
    void openFirstIndexMatch();
    void goHome();

    HelpBrowser *browser_ = nullptr;
    QTabWidget *tabs_ = nullptr;
    QTreeView *contentsView_ = nullptr;
    QStandardItemModel *contents_ = nullptr;
    QLineEdit *lookFor_ = nullptr;
    QListView *indexView_ = nullptr;
    QStandardItemModel *index_ = nullptr;
    QSortFilterProxyModel *indexFilter_ = nullptr;
    QAction *back_ = nullptr;
    QAction *forward_ = nullptr;
    QAction *home_ = nullptr;
    bool followingPage_ = false; // the contents selection is being moved to the page on view
};

// Opens the program's help file in the help window, reusing the window while it is open. A
// missing or unreadable help file is reported by an error message that names its path.
void showHelp(QWidget *parent);
void showHelp(QWidget *parent, const QString &helpFile);
