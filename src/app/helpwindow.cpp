// SPDX-License-Identifier: GPL-3.0-or-later
// The program's help window.
#include "helpwindow.h"

#include "app/helpsitemap.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString helpScheme = QStringLiteral("chm");
constexpr int pageRole = Qt::UserRole + 1;

// Pages are addressed as "chm:/page.html#fragment", so that QUrl resolves relative links.
QUrl pageUrl(const QString &page)
{
    QUrl root;
    root.setScheme(helpScheme);
    root.setPath(QStringLiteral("/"));
    return root.resolved(QUrl(page));
}

QUrl withoutFragment(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery);
}

void appendTopics(QStandardItem *parent, const QList<HelpTopic> &topics)
{
    for (const HelpTopic &topic : topics) {
        auto item = std::make_unique<QStandardItem>(topic.name);
        item->setEditable(false);
        if (!topic.local.isEmpty())
            item->setData(pageUrl(topic.local), pageRole);
        appendTopics(item.get(), topic.children);
        parent->appendRow(item.release());
    }
}

void appendKeywords(QStandardItemModel *model, const QList<HelpTopic> &topics)
{
    for (const HelpTopic &topic : topics) {
        if (!topic.local.isEmpty()) {
            auto item = std::make_unique<QStandardItem>(topic.name);
            item->setEditable(false);
            item->setData(pageUrl(topic.local), pageRole);
            model->appendRow(item.release());
        }
        appendKeywords(model, topic.children);
    }
}

// The entry of the contents that shows the page best: one naming the same fragment, else one
// naming the same page.
QModelIndex entryFor(const QStandardItemModel *model, const QUrl &url)
{
    QModelIndex samePage;
    QList<QModelIndex> pending{QModelIndex()};
    while (!pending.isEmpty()) {
        const QModelIndex parent = pending.takeFirst();
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex entry = model->index(row, 0, parent);
            const QUrl target = entry.data(pageRole).toUrl();
            if (target == url)
                return entry;
            if (!samePage.isValid() && !target.isEmpty() &&
                withoutFragment(target) == withoutFragment(url))
                samePage = entry;
            pending.append(entry);
        }
    }
    return samePage;
}

} // namespace

// Reads every page, style sheet and picture from the help archive, never from the disk.
class HelpBrowser final : public QTextBrowser
{
public:
    HelpBrowser(ChmArchive archive, QWidget *parent)
        : QTextBrowser(parent), archive_(std::move(archive))
    {}

    const ChmArchive &archive() const { return archive_; }

    QVariant loadResource(int type, const QUrl &name) override
    {
        // The document hands over names already resolved against the page being loaded.
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        if (url.scheme() != helpScheme)
            return {};
        const std::optional<QByteArray> data = archive_.read(url.path());
        const bool page =
            type == QTextDocument::HtmlResource || type == QTextDocument::UnknownResource;
        if (!page)
            return data ? QVariant(*data) : QVariant();
        if (!data)
            return missingPage(url.path());
        return QString::fromUtf8(*data);
    }

private:
    static QString missingPage(const QString &path)
    {
        return QStringLiteral("<html><body><h2>%1</h2><p>%2</p></body></html>")
            .arg(HelpWindow::tr("Page not found"),
                 HelpWindow::tr("The help file has no page %1.").arg(path.toHtmlEscaped()));
    }

    ChmArchive archive_;
};

HelpWindow::HelpWindow(ChmArchive archive, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Tallowby Help"));
    setAccessibleName(tr("Tallowby Help"));
    browser_ = new HelpBrowser(std::move(archive), this);
    buildControls();
    fillContents();
    fillIndex();
    buildSearchIndex();
    connectSignals();
    resize(860, 620);
    goHome();
}

void HelpWindow::buildControls()
{
    auto *toolBar = new QToolBar(this);
    toolBar->setAccessibleName(tr("Help navigation"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_ = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Back"));
    back_->setShortcut(QKeySequence::Back);
    back_->setToolTip(tr("Back to the page shown before (%1)")
                          .arg(back_->shortcut().toString(QKeySequence::NativeText)));
    back_->setEnabled(false);
    forward_ = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Forward"));
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setToolTip(
        tr("Forward again (%1)").arg(forward_->shortcut().toString(QKeySequence::NativeText)));
    forward_->setEnabled(false);
    home_ = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Home"));
    home_->setToolTip(tr("The first page of the help"));

    contents_ = new QStandardItemModel(this);
    contentsView_ = new QTreeView(this);
    contentsView_->setModel(contents_);
    contentsView_->setHeaderHidden(true);
    contentsView_->setAccessibleName(tr("Help contents"));

    index_ = new QStandardItemModel(this);
    indexFilter_ = new QSortFilterProxyModel(this);
    indexFilter_->setSourceModel(index_);
    indexFilter_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    indexFilter_->setSortCaseSensitivity(Qt::CaseInsensitive);
    lookFor_ = new QLineEdit(this);
    lookFor_->setPlaceholderText(tr("Type a keyword"));
    lookFor_->setAccessibleName(tr("Keyword to look for"));
    lookFor_->setClearButtonEnabled(true);
    indexView_ = new QListView(this);
    indexView_->setModel(indexFilter_);
    indexView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    indexView_->setAccessibleName(tr("Help index"));

    auto *indexPage = new QWidget(this);
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    auto *lookForLabel = new QLabel(tr("&Look for:"), indexPage);
    lookForLabel->setBuddy(lookFor_);
    indexLayout->addWidget(lookForLabel);
    indexLayout->addWidget(lookFor_);
    indexLayout->addWidget(indexView_);

    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(tr("Contents and index"));
    tabs_->addTab(contentsView_, tr("&Contents"));
    tabs_->addTab(indexPage, tr("&Index"));

    searchFor_ = new QLineEdit(this);
    searchFor_->setPlaceholderText(tr("Words to find in the pages"));
    searchFor_->setAccessibleName(tr("Words to search for"));
    searchFor_->setClearButtonEnabled(true);
    auto *findButton = new QPushButton(tr("&List Topics"), this);
    findButton->setAccessibleName(tr("List the pages that hold the words"));
    findButton->setObjectName(QStringLiteral("ButtonListTopics"));
    searchHits_ = new QListWidget(this);
    searchHits_->setAccessibleName(tr("Pages found"));
    auto *searchPage = new QWidget(this);
    auto *searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    auto *searchLabel = new QLabel(tr("&Type in the words to search for:"), searchPage);
    searchLabel->setBuddy(searchFor_);
    searchLabel->setWordWrap(true);
    searchLayout->addWidget(searchLabel);
    searchLayout->addWidget(searchFor_);
    searchLayout->addWidget(findButton);
    searchLayout->addWidget(searchHits_);
    tabs_->addTab(searchPage, tr("&Search"));
    connect(findButton, &QPushButton::clicked, this, [this] { search(searchFor_->text()); });

    // Esc and Ctrl+W close the window, wherever the focus is inside it.
    for (const QKeySequence &key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto *shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }

    browser_->setOpenLinks(false); // links are followed by followLink, inside the archive
    browser_->setAccessibleName(tr("Help page"));
    browser_->document()->setDocumentMargin(12);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 600});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(splitter);
}

void HelpWindow::fillContents()
{
    const ChmArchive &archive = browser_->archive();
    if (const auto sitemap = archive.read(archive.contentsFile())) {
        QString problem;
        appendTopics(contents_->invisibleRootItem(), parseSitemap(*sitemap, &problem));
        if (!problem.isEmpty()) {
            auto note = std::make_unique<QStandardItem>(problem);
            note->setEditable(false);
            note->setToolTip(problem);
            contents_->appendRow(note.release());
        }
    }
    contentsView_->expandAll();
}

void HelpWindow::fillIndex()
{
    const ChmArchive &archive = browser_->archive();
    if (const auto sitemap = archive.read(archive.indexFile()))
        appendKeywords(index_, parseSitemap(*sitemap));
    indexFilter_->sort(0);
    if (index_->rowCount() == 0)
        tabs_->removeTab(tabs_->indexOf(indexView_->parentWidget()));
}

void HelpWindow::connectSignals()
{
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home_, &QAction::triggered, this, &HelpWindow::goHome);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::pageChanged);
    connect(contentsView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &HelpWindow::openContentsEntry);
    connect(contentsView_, &QTreeView::clicked, this, &HelpWindow::openContentsEntry);
    connect(indexView_, &QListView::activated, this, &HelpWindow::openIndexEntry);
    connect(indexView_, &QListView::clicked, this, &HelpWindow::openIndexEntry);
    connect(lookFor_, &QLineEdit::textChanged, indexFilter_,
            &QSortFilterProxyModel::setFilterFixedString);
    connect(lookFor_, &QLineEdit::returnPressed, this, &HelpWindow::openFirstIndexMatch);
    connect(searchFor_, &QLineEdit::returnPressed, this, [this] { search(searchFor_->text()); });
    connect(searchHits_, &QListWidget::itemActivated, this, &HelpWindow::openSearchHit);
    connect(searchHits_, &QListWidget::itemClicked, this, &HelpWindow::openSearchHit);
}

void HelpWindow::buildSearchIndex()
{
    const ChmArchive &archive = browser_->archive();
    for (const QString &path : archive.files()) {
        if (!path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) &&
            !path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive))
            continue;
        if (const auto page = archive.read(path))
            searchIndex_.addPage(path, *page);
    }
}

void HelpWindow::search(const QString &query)
{
    if (searchFor_->text() != query)
        searchFor_->setText(query);
    tabs_->setCurrentWidget(searchHits_->parentWidget());
    searchHits_->clear();
    const QStringList words = HelpSearchIndex::wordsOf(query);
    searchedWord_ = words.isEmpty() ? QString() : words.first();
    const QList<HelpSearchIndex::Hit> hits = searchIndex_.find(query);
    for (const HelpSearchIndex::Hit &hit : hits) {
        auto *item = new QListWidgetItem(hit.title, searchHits_);
        item->setData(pageRole, pageUrl(hit.page));
        item->setToolTip(tr("%n mention(s)", nullptr, hit.mentions));
    }
    if (hits.isEmpty()) {
        auto *none = new QListWidgetItem(words.isEmpty() ? tr("Type a word to search for.")
                                                         : tr("No page holds these words."),
                                         searchHits_);
        none->setFlags(Qt::NoItemFlags);
    }
}

void HelpWindow::openSearchHit(QListWidgetItem *item)
{
    const QUrl target = item ? item->data(pageRole).toUrl() : QUrl();
    if (target.isEmpty())
        return;
    browser_->setSource(target);
    // The first place the word stands on the page is selected and scrolled to.
    browser_->moveCursor(QTextCursor::Start);
    if (!searchedWord_.isEmpty())
        browser_->find(searchedWord_);
}

void HelpWindow::showPage(const QString &page)
{
    browser_->setSource(pageUrl(page));
}

QString HelpWindow::currentPage() const
{
    const QUrl url = browser_->source();
    return url.hasFragment() ? url.path() + QLatin1Char('#') + url.fragment() : url.path();
}

QString HelpWindow::helpFilePath() const
{
    return browser_->archive().filePath();
}

void HelpWindow::goHome()
{
    showPage(browser_->archive().defaultTopic());
}

void HelpWindow::followLink(const QUrl &url)
{
    if (url.scheme() == helpScheme)
        browser_->setSource(url);
    else if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https") ||
             url.scheme() == QLatin1String("mailto"))
        QDesktopServices::openUrl(url);
}

void HelpWindow::pageChanged(const QUrl &url)
{
    const QModelIndex entry = entryFor(contents_, url);
    if (!entry.isValid() || entry == contentsView_->currentIndex())
        return;
    followingPage_ = true;
    contentsView_->setCurrentIndex(entry);
    contentsView_->scrollTo(entry);
    followingPage_ = false;
}

void HelpWindow::openContentsEntry(const QModelIndex &index)
{
    if (followingPage_ || !index.isValid())
        return;
    const QUrl target = index.data(pageRole).toUrl();
    if (!target.isEmpty() && target != browser_->source())
        browser_->setSource(target);
}

void HelpWindow::openIndexEntry(const QModelIndex &index)
{
    const QUrl target = index.data(pageRole).toUrl();
    if (!target.isEmpty())
        browser_->setSource(target);
}

void HelpWindow::openFirstIndexMatch()
{
    const QModelIndex first = indexFilter_->index(0, 0);
    if (!first.isValid())
        return;
    indexView_->setCurrentIndex(first);
    openIndexEntry(first);
}
