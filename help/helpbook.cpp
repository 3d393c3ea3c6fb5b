// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpbook.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>

// The resources live in a static library: name them once so that the linker keeps them.
static void initHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace kurvanto {

namespace {

const QString kRoot = QStringLiteral(":/help/");

QString readResource(const QString &name) {
    QFile file(kRoot + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString titleOf(const QString &html) {
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(html);
    return match.hasMatch() ? QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText()
                            : QString();
}

int countOccurrences(const QString &text, const QString &word) {
    int count = 0;
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + word.size()))
        ++count;
    return count;
}

} // namespace

HelpBook::HelpBook() {
    initHelpResources();
    loadPages();
    loadContents();
    loadKeywords();
}

QUrl HelpBook::pageUrl(const QString &target) {
    return QUrl(QStringLiteral("qrc:/help/") + target);
}

void HelpBook::loadPages() {
    const QStringList files = QDir(kRoot).entryList({QStringLiteral("*.html")}, QDir::Files);
    for (const QString &page : files) {
        const QString html = readResource(page);
        html_.insert(page, html);
        titles_.insert(page, titleOf(html));
        // The title is part of what a search looks through.
        texts_.insert(page, (titles_.value(page) + QLatin1Char('\n') +
                             QTextDocumentFragment::fromHtml(html).toPlainText())
                                .toLower());
    }
}

// One page a line, in reading order; two leading spaces put a topic under the one before.
void HelpBook::loadContents() {
    const QStringList lines = readResource(QStringLiteral("contents.txt")).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString page = line.trimmed();
        if (page.isEmpty() || page.startsWith(QLatin1Char('#')))
            continue;
        contents_.append({page, titles_.value(page), line.startsWith(QLatin1Char(' ')) ? 1 : 0});
    }
}

// "keyword<TAB>page.html#anchor" a line; the index is shown sorted.
void HelpBook::loadKeywords() {
    const QStringList lines = readResource(QStringLiteral("keywords.txt")).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList parts = line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (parts.size() == 2 && !line.startsWith(QLatin1Char('#')))
            keywords_.append({parts[0].trimmed(), parts[1].trimmed()});
    }
    std::stable_sort(keywords_.begin(), keywords_.end(),
                     [](const HelpKeyword &a, const HelpKeyword &b) {
                         return a.keyword.compare(b.keyword, Qt::CaseInsensitive) < 0;
                     });
}

QStringList HelpBook::queryWords(const QString &query) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return query.toLower().split(blanks, Qt::SkipEmptyParts);
}

QList<HelpHit> HelpBook::search(const QString &query) const {
    const QStringList words = queryWords(query);
    QList<HelpHit> hits;
    if (words.isEmpty())
        return hits;
    for (const HelpTopic &topic : contents_) {
        const QString text = texts_.value(topic.page);
        HelpHit hit{topic.page, topic.title, 0};
        for (const QString &word : words) {
            const int count = countOccurrences(text, word);
            if (count == 0) {
                hit.count = 0;
                break;
            }
            hit.count += count;
        }
        if (hit.count > 0)
            hits.append(hit);
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const HelpHit &a, const HelpHit &b) { return a.count > b.count; });
    return hits;
}

} // namespace kurvanto
