// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help window: a non-modal top-level window with the list of topics, the keyword index
// and a full-text search on the left and the page on the right.
#include "helpbook.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace kurvanto {

// Opens the one help window at its list of topics, or brings it forward when it is open.
void showHelp(QWidget *parent);

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The open help window, or nullptr.
    static HelpWindow *instance();

    const HelpBook &book() const { return book_; }
    QTextBrowser *browser() const { return browser_; }

    void showTopicList();
    void openTarget(const QString &target); // "page.html" or "page.html#anchor"
    void search(const QString &query);      // fills the result list of the search tab
    QString currentPage() const;

  private:
    QWidget *createContentsTab();
    QWidget *createIndexTab();
    QWidget *createSearchTab();
    QWidget *createPagePane();

    void fillContents();
    void fillIndex();
    void filterIndex(const QString &prefix);
    void openIndexItem(QListWidgetItem *item);
    void openSearchHit(QListWidgetItem *item);
    void syncContents(const QUrl &url);
    void highlightWords(const QStringList &words);

    HelpBook book_;
    QTabWidget *tabs_ = nullptr;
    QTreeWidget *contents_ = nullptr;
    QLineEdit *indexFilter_ = nullptr;
    QListWidget *index_ = nullptr;
    QLineEdit *searchEdit_ = nullptr;
    QListWidget *searchResults_ = nullptr;
    QLabel *searchStatus_ = nullptr;
    QTextBrowser *browser_ = nullptr;
    QStringList lastSearchWords_;
};

} // namespace kurvanto
