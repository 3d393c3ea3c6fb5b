// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help pages as a book: the list of topics, the keyword index and a full-text search.
// The pages are HTML files compiled into the program under ":/help/"; the list of topics
// comes from contents.txt and the index from keywords.txt in the same place.
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace kurvanto {

struct HelpTopic {
    QString page;  // file name, e.g. "functions.html"
    QString title; // the page's <title>
    int level = 0; // 0 for a topic, 1 for a topic under the one before it
};

struct HelpKeyword {
    QString keyword; // as shown in the index
    QString target;  // "page.html" or "page.html#anchor"
};

struct HelpHit {
    QString page;
    QString title;
    int count = 0; // how often the words of the query occur on the page
};

class HelpBook {
  public:
    HelpBook();

    static QUrl pageUrl(const QString &target); // "qrc:/help/<target>"
    static QString startPage() { return QStringLiteral("index.html"); }

    const QList<HelpTopic> &contents() const { return contents_; }
    const QList<HelpKeyword> &keywords() const { return keywords_; }
    QStringList pages() const { return html_.keys(); }

    bool hasPage(const QString &page) const { return html_.contains(page); }
    QString html(const QString &page) const { return html_.value(page); }
    QString title(const QString &page) const { return titles_.value(page); }
    QString text(const QString &page) const { return texts_.value(page); } // lower case

    // Pages holding every word of the query (case is ignored, a word may be part of a
    // longer word), the most hits first, then in the order of the contents.
    QList<HelpHit> search(const QString &query) const;
    static QStringList queryWords(const QString &query);

  private:
    void loadPages();
    void loadContents();
    void loadKeywords();

    QMap<QString, QString> html_;
    QMap<QString, QString> titles_;
    QMap<QString, QString> texts_;
    QList<HelpTopic> contents_;
    QList<HelpKeyword> keywords_;
};

} // namespace kurvanto
