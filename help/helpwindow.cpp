// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpwindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kurvanto {

namespace {

QPointer<HelpWindow> &openWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

QString helpStyleSheet() {
    QFile file(QStringLiteral(":/help/help.css"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString pageOf(const QUrl &url) {
    return url.fileName();
}

QToolButton *navigationButton(QWidget *parent, QStyle::StandardPixmap icon, const QString &text,
                              const char *name) {
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolTip(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

} // namespace

void showHelp(QWidget *parent) {
    QPointer<HelpWindow> &window = openWindow();
    if (!window)
        window = new HelpWindow(parent);
    window->showTopicList();
    window->showNormal();
    window->raise();
    window->activateWindow();
}

HelpWindow *HelpWindow::instance() {
    return openWindow();
}

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Справка: Курванто"));
    setAttribute(Qt::WA_DeleteOnClose);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("HelpTabs"));
    tabs_->setAccessibleName(QStringLiteral("Темы справки"));
    tabs_->addTab(createContentsTab(), QStringLiteral("Содержание"));
    tabs_->addTab(createIndexTab(), QStringLiteral("Указатель"));
    tabs_->addTab(createSearchTab(), QStringLiteral("Поиск"));
    tabs_->setStyleSheet(QStringLiteral("QTreeView::item, QListView::item { padding: 3px 2px; }"));

    auto *splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(createPagePane());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 690});

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(960, 680);

    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    fillContents();
    fillIndex();
}

QWidget *HelpWindow::createContentsTab() {
    contents_ = new QTreeWidget(this);
    contents_->setObjectName(QStringLiteral("HelpContents"));
    contents_->setAccessibleName(QStringLiteral("Содержание"));
    contents_->setHeaderHidden(true);
    contents_->setRootIsDecorated(false);
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { openTarget(item->data(0, Qt::UserRole).toString()); });
    connect(contents_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { openTarget(item->data(0, Qt::UserRole).toString()); });
    return contents_;
}

QWidget *HelpWindow::createIndexTab() {
    auto *tab = new QWidget(this);
    indexFilter_ = new QLineEdit(tab);
    indexFilter_->setObjectName(QStringLiteral("HelpIndexFilter"));
    indexFilter_->setAccessibleName(QStringLiteral("Слово указателя"));
    indexFilter_->setPlaceholderText(QStringLiteral("Начните вводить слово"));
    indexFilter_->setClearButtonEnabled(true);
    index_ = new QListWidget(tab);
    index_->setObjectName(QStringLiteral("HelpIndex"));
    index_->setAccessibleName(QStringLiteral("Указатель"));

    connect(indexFilter_, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(indexFilter_, &QLineEdit::returnPressed, this,
            [this] { openIndexItem(index_->currentItem()); });
    connect(index_, &QListWidget::itemClicked, this, &HelpWindow::openIndexItem);
    connect(index_, &QListWidget::itemActivated, this, &HelpWindow::openIndexItem);

    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 4, 2, 2);
    layout->addWidget(indexFilter_);
    layout->addWidget(index_);
    return tab;
}

QWidget *HelpWindow::createSearchTab() {
    auto *tab = new QWidget(this);
    searchEdit_ = new QLineEdit(tab);
    searchEdit_->setObjectName(QStringLiteral("HelpSearchEdit"));
    searchEdit_->setAccessibleName(QStringLiteral("Что найти"));
    searchEdit_->setPlaceholderText(QStringLiteral("Что найти"));
    searchEdit_->setClearButtonEnabled(true);
    auto *find = new QPushButton(QStringLiteral("Найти"), tab);
    find->setObjectName(QStringLiteral("HelpSearchButton"));
    searchStatus_ = new QLabel(tab);
    searchStatus_->setObjectName(QStringLiteral("HelpSearchStatus"));
    searchStatus_->setWordWrap(true);
    searchResults_ = new QListWidget(tab);
    searchResults_->setObjectName(QStringLiteral("HelpSearch"));
    searchResults_->setAccessibleName(QStringLiteral("Найденные темы"));

    auto run = [this] { search(searchEdit_->text()); };
    connect(searchEdit_, &QLineEdit::returnPressed, this, run);
    connect(find, &QPushButton::clicked, this, run);
    connect(searchResults_, &QListWidget::itemClicked, this, &HelpWindow::openSearchHit);
    connect(searchResults_, &QListWidget::itemActivated, this, &HelpWindow::openSearchHit);

    auto *row = new QHBoxLayout;
    row->addWidget(searchEdit_);
    row->addWidget(find);
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 4, 2, 2);
    layout->addLayout(row);
    layout->addWidget(searchStatus_);
    layout->addWidget(searchResults_);
    return tab;
}

QWidget *HelpWindow::createPagePane() {
    auto *pane = new QWidget(this);
    browser_ = new QTextBrowser(pane);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(QStringLiteral("Текст справки"));
    browser_->document()->setDefaultStyleSheet(helpStyleSheet());
    browser_->document()->setDocumentMargin(12);

    QToolButton *back =
        navigationButton(pane, QStyle::SP_ArrowBack, QStringLiteral("Назад"), "HelpBack");
    QToolButton *forward =
        navigationButton(pane, QStyle::SP_ArrowForward, QStringLiteral("Вперёд"), "HelpForward");
    QToolButton *home =
        navigationButton(pane, QStyle::SP_DirHomeIcon, QStringLiteral("Список тем"), "HelpHome");
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, &HelpWindow::showTopicList);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::syncContents);

    auto *bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(home);
    bar->addStretch();
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    return pane;
}

void HelpWindow::fillContents() {
    QTreeWidgetItem *parent = nullptr;
    for (const HelpTopic &topic : book_.contents()) {
        QTreeWidgetItem *item = topic.level > 0 && parent ? new QTreeWidgetItem(parent)
                                                          : new QTreeWidgetItem(contents_);
        item->setText(0, topic.title);
        item->setData(0, Qt::UserRole, topic.page);
        if (topic.level == 0)
            parent = item;
    }
    contents_->expandAll();
}

void HelpWindow::fillIndex() {
    for (const HelpKeyword &entry : book_.keywords()) {
        auto *item = new QListWidgetItem(entry.keyword, index_);
        item->setData(Qt::UserRole, entry.target);
    }
}

void HelpWindow::filterIndex(const QString &prefix) {
    const QString wanted = prefix.trimmed();
    QListWidgetItem *first = nullptr;
    for (int row = 0; row < index_->count(); ++row) {
        QListWidgetItem *item = index_->item(row);
        const bool shown = item->text().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    index_->setCurrentItem(first);
}

void HelpWindow::openIndexItem(QListWidgetItem *item) {
    if (item)
        openTarget(item->data(Qt::UserRole).toString());
}

void HelpWindow::openSearchHit(QListWidgetItem *item) {
    if (!item)
        return;
    openTarget(item->data(Qt::UserRole).toString());
    highlightWords(lastSearchWords_);
}

void HelpWindow::showTopicList() {
    tabs_->setCurrentIndex(0);
    openTarget(HelpBook::startPage());
}

void HelpWindow::openTarget(const QString &target) {
    if (!target.isEmpty())
        browser_->setSource(HelpBook::pageUrl(target));
}

QString HelpWindow::currentPage() const {
    return pageOf(browser_->source());
}

void HelpWindow::search(const QString &query) {
    tabs_->setCurrentIndex(2);
    if (searchEdit_->text() != query)
        searchEdit_->setText(query);
    searchResults_->clear();
    lastSearchWords_ = HelpBook::queryWords(query);
    const QList<HelpHit> hits = book_.search(query);
    for (const HelpHit &hit : hits) {
        auto *item = new QListWidgetItem(hit.title, searchResults_);
        item->setData(Qt::UserRole, hit.page);
        item->setToolTip(QStringLiteral("Совпадений: %1").arg(hit.count));
    }
    if (lastSearchWords_.isEmpty())
        searchStatus_->setText(QStringLiteral("Введите слово и нажмите «Найти»."));
    else if (hits.isEmpty())
        searchStatus_->setText(QStringLiteral("Ничего не найдено. Попробуйте начало слова: "
                                              "«график» найдёт и «графика»."));
    else
        searchStatus_->setText(QStringLiteral("Найдено тем: %1").arg(hits.size()));
}

// The browser reports the new address before source() returns it: use the one reported.
void HelpWindow::syncContents(const QUrl &url) {
    browser_->setExtraSelections({});
    const QString page = pageOf(url);
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == page) {
            contents_->setCurrentItem(*it);
            return;
        }
    }
}

// Marks every occurrence of the searched words on the page and shows the first one.
void HelpWindow::highlightWords(const QStringList &words) {
    QList<QTextEdit::ExtraSelection> marks;
    QTextCursor first;
    for (const QString &word : words) {
        QTextCursor found = browser_->document()->find(word);
        for (; !found.isNull(); found = browser_->document()->find(word, found)) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = found;
            mark.format.setBackground(QColor(255, 230, 110));
            marks.append(mark);
            if (first.isNull() || found.position() < first.position())
                first = found;
        }
    }
    browser_->setExtraSelections(marks);
    if (!first.isNull()) {
        first.clearSelection();
        browser_->setTextCursor(first);
        browser_->ensureCursorVisible();
    }
}

} // namespace kurvanto
