// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: the pages of the compiled help file, with its table of contents, keyword
// index and full-text search beside them, and Back, Forward and Home. Esc and Ctrl+W close
// it. It runs in the help viewer's own process (helpviewer.h).
#pragma once

#include "app/chmarchive.h"
#include "app/helpsearch.h"

#include <QWidget>

class HelpBrowser;
class QAction;
class QLineEdit;
class QListView;
class QListWidget;
class QListWidgetItem;
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
    // The archive's default topic.
    void goHome();
    // The page on view, as an archive path with its fragment ("/potodds.html#profit").
    QString currentPage() const;
    QString helpFilePath() const;

    // The pages that hold every word of the query, listed in the Search tab.
    void search(const QString &query);

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
    void buildSearchIndex();
    void openSearchHit(QListWidgetItem *item);

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
    QLineEdit *searchFor_ = nullptr;
    QListWidget *searchHits_ = nullptr;
    HelpSearchIndex searchIndex_;
    QString searchedWord_;       // the first word of the last search, marked on the page opened
    bool followingPage_ = false; // the contents selection is being moved to the page on view
};
