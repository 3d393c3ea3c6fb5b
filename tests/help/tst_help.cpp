// SPDX-License-Identifier: GPL-3.0-or-later
// The help: the window opens at its topic list, the search and the index lead to the right
// pages, every function of the engine is documented and every link between pages resolves.
#include "acceptance.h"
#include "errors.h"
#include "formula.h"
#include "helpwindow.h"

#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QTreeWidget>

#include <cmath>

using kurvanto::HelpBook;
using kurvanto::HelpWindow;

namespace {

QSet<QString> anchorsOf(const QString &html) {
    static const QRegularExpression anchor(QStringLiteral("\\b(?:name|id)=\"([^\"]+)\""));
    QSet<QString> names;
    for (const QRegularExpressionMatch &m : anchor.globalMatch(html))
        names.insert(m.captured(1));
    return names;
}

QStringList linksOf(const QString &html) {
    static const QRegularExpression href(QStringLiteral("\\bhref=\"([^\"]*)\""));
    QStringList links;
    for (const QRegularExpressionMatch &m : href.globalMatch(html))
        links.append(m.captured(1));
    return links;
}

// Empty when the target ("page.html", "page.html#anchor" or "#anchor" seen from `from`)
// exists, otherwise what is missing.
QString checkTarget(const HelpBook &book, const QString &from, const QString &target) {
    const QString page = target.section(QLatin1Char('#'), 0, 0);
    const QString anchor = target.section(QLatin1Char('#'), 1);
    const QString file = page.isEmpty() ? from : page;
    if (!book.hasPage(file))
        return QStringLiteral("no page %1").arg(file);
    if (!anchor.isEmpty() && !anchorsOf(book.html(file)).contains(anchor))
        return QStringLiteral("no anchor %1 in %2").arg(anchor, file);
    return {};
}

HelpWindow *openHelp() {
    kurvanto::showHelp(nullptr);
    return HelpWindow::instance();
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

  private slots:
    void cleanup();
    void opensAtTopicList();
    void reopeningRaisesTheSameWindowAtTheTopicList();
    void search_data();
    void search();
    void searchHitOpensThePageWithTheWordsMarked();
    void indexFilterOpensItsTopic();
    void everyFunctionOfTheEngineIsDocumented();
    void everyLinkResolves();
    void everyPictureIsThere();
    void everyPageIsInTheContentsWithATitle();
    void keysAreDocumented();
    void examplesOfTheHelpMatchTheEngine_data();
    void examplesOfTheHelpMatchTheEngine();
};

void TestHelp::cleanup() {
    if (HelpWindow *window = HelpWindow::instance()) {
        window->close();
        delete window;
    }
}

void TestHelp::opensAtTopicList() {
    HelpWindow *window = openHelp();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->objectName(), QStringLiteral("HelpWindow"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Справка: Курванто"));
    QCOMPARE(window->currentPage(), QStringLiteral("index.html"));
    QCOMPARE(window->findChild<QTabWidget *>(QStringLiteral("HelpTabs"))->currentIndex(), 0);

    auto *contents = window->findChild<QTreeWidget *>(QStringLiteral("HelpContents"));
    QVERIFY(contents->currentItem());
    QCOMPARE(contents->currentItem()->data(0, Qt::UserRole).toString(),
             QStringLiteral("index.html"));
    QCOMPARE(contents->topLevelItemCount() > 5, true);
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("Список тем")));
}

void TestHelp::reopeningRaisesTheSameWindowAtTheTopicList() {
    HelpWindow *first = openHelp();
    first->openTarget(QStringLiteral("functions.html#arcsin"));
    QCOMPARE(first->currentPage(), QStringLiteral("functions.html"));
    first->search(QStringLiteral("arcsin")); // switches to the search tab

    HelpWindow *second = openHelp();
    QCOMPARE(second, first);
    QCOMPARE(second->currentPage(), QStringLiteral("index.html"));
    QCOMPARE(second->findChild<QTabWidget *>(QStringLiteral("HelpTabs"))->currentIndex(), 0);

    // Closing destroys the window; the next call builds a new one.
    QPointer<HelpWindow> closed(first);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(closed.isNull());
    QVERIFY(!HelpWindow::instance());
    QVERIFY(openHelp());
}

void TestHelp::search_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("firstPage"); // empty: nothing is found

    QTest::newRow("function name") << "arcsin"
                                   << "functions.html";
    QTest::newRow("case ignored") << "ARCSIN"
                                  << "functions.html";
    QTest::newRow("part of a word") << "котанген"
                                    << "functions.html";
    QTest::newRow("Russian word") << "запятой"
                                  << "formulas.html";
    QTest::newRow("every word must occur") << "надпись правой"
                                           << "annotation.html";
    QTest::newRow("error message") << "valid floating"
                                   << "errors.html";
    QTest::newRow("unknown word") << "квазиэллипсоид"
                                  << "";
    QTest::newRow("blank query") << "   "
                                 << "";
}

void TestHelp::search() {
    QFETCH(QString, query);
    QFETCH(QString, firstPage);
    HelpWindow *window = openHelp();
    window->search(query);

    auto *results = window->findChild<QListWidget *>(QStringLiteral("HelpSearch"));
    QCOMPARE(window->findChild<QTabWidget *>(QStringLiteral("HelpTabs"))->currentIndex(), 2);
    if (firstPage.isEmpty()) {
        QCOMPARE(results->count(), 0);
        return;
    }
    QVERIFY(results->count() > 0);
    QCOMPARE(results->item(0)->data(Qt::UserRole).toString(), firstPage);
    // Every hit holds every word.
    for (int row = 0; row < results->count(); ++row) {
        const QString text = window->book().text(results->item(row)->data(Qt::UserRole).toString());
        for (const QString &word : HelpBook::queryWords(query))
            QVERIFY2(text.contains(word), qPrintable(word));
    }
}

void TestHelp::searchHitOpensThePageWithTheWordsMarked() {
    HelpWindow *window = openHelp();
    window->search(QStringLiteral("arcsin"));
    auto *results = window->findChild<QListWidget *>(QStringLiteral("HelpSearch"));
    QVERIFY(results->count() > 0);
    emit results->itemActivated(results->item(0));

    QCOMPARE(window->currentPage(), QStringLiteral("functions.html"));
    const QList<QTextEdit::ExtraSelection> marks = window->browser()->extraSelections();
    QVERIFY(!marks.isEmpty());
    for (const QTextEdit::ExtraSelection &mark : marks)
        QCOMPARE(mark.cursor.selectedText().toLower(), QStringLiteral("arcsin"));

    // Leaving the page drops the marks.
    window->openTarget(QStringLiteral("start.html"));
    QVERIFY(window->browser()->extraSelections().isEmpty());
}

void TestHelp::indexFilterOpensItsTopic() {
    HelpWindow *window = openHelp();
    auto *filter = window->findChild<QLineEdit *>(QStringLiteral("HelpIndexFilter"));
    auto *index = window->findChild<QListWidget *>(QStringLiteral("HelpIndex"));
    QVERIFY(index->count() > 50);

    filter->setText(QStringLiteral("арксин"));
    QVERIFY(index->currentItem());
    QCOMPARE(index->currentItem()->text(), QStringLiteral("арксинус"));
    QTest::keyClick(filter, Qt::Key_Return);
    QCOMPARE(window->browser()->source().fileName(), QStringLiteral("functions.html"));
    QCOMPARE(window->browser()->source().fragment(), QStringLiteral("arcsin"));

    filter->setText(QStringLiteral("нет такого слова"));
    QVERIFY(!index->currentItem());
    QTest::keyClick(filter, Qt::Key_Return); // nothing to open, nothing changes
    QCOMPARE(window->currentPage(), QStringLiteral("functions.html"));
}

// The test reads the engine's table, so a function added there without help fails here.
void TestHelp::everyFunctionOfTheEngineIsDocumented() {
    const HelpBook book;
    const QString functions =
        QTextDocumentFragment::fromHtml(book.html(QStringLiteral("functions.html"))).toPlainText();
    QVERIFY(!kurvanto::FunctionNames().empty());
    for (const std::string &stdName : kurvanto::FunctionNames()) {
        const QString name = QString::fromStdString(stdName);
        const QRegularExpression word(QStringLiteral("\\b%1\\b").arg(name));
        QVERIFY2(functions.contains(word), qPrintable(name + " is not on the functions page"));

        const auto entry =
            std::find_if(book.keywords().begin(), book.keywords().end(),
                         [&](const kurvanto::HelpKeyword &k) { return k.keyword == name; });
        QVERIFY2(entry != book.keywords().end(), qPrintable(name + " is not in the index"));
        QVERIFY2(entry->target.startsWith(QStringLiteral("functions.html#")),
                 qPrintable(entry->target));
        const QString problem = checkTarget(book, QString(), entry->target);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
}

void TestHelp::everyLinkResolves() {
    const HelpBook book;
    QVERIFY(book.pages().size() >= 10);
    int links = 0;
    for (const QString &page : book.pages()) {
        for (const QString &link : linksOf(book.html(page))) {
            QVERIFY2(!link.contains(QLatin1Char(':')),
                     qPrintable(page + ": the help links outside itself: " + link));
            const QString problem = checkTarget(book, page, link);
            QVERIFY2(problem.isEmpty(), qPrintable(page + ": " + link + ": " + problem));
            ++links;
        }
    }
    QVERIFY(links > 50);
    for (const kurvanto::HelpKeyword &entry : book.keywords()) {
        const QString problem = checkTarget(book, QString(), entry.target);
        QVERIFY2(problem.isEmpty(), qPrintable(entry.keyword + ": " + problem));
    }
}

// Every picture a page shows is compiled in beside it and reads as an image.
void TestHelp::everyPictureIsThere() {
    static const QRegularExpression img(QStringLiteral("<img\\b[^>]*\\bsrc=\"([^\"]+)\""));
    const HelpBook book;
    int pictures = 0;
    for (const QString &page : book.pages()) {
        for (const QRegularExpressionMatch &m : img.globalMatch(book.html(page))) {
            const QString source = m.captured(1);
            QVERIFY2(!source.contains(QLatin1Char(':')) && !source.contains(QLatin1Char('/')),
                     qPrintable(page + ": a picture from outside the help: " + source));
            const QImage picture(QStringLiteral(":/help/") + source);
            QVERIFY2(!picture.isNull(), qPrintable(page + ": no picture " + source));
            ++pictures;
        }
    }
    QVERIFY(pictures >= 2);
}

// The keys of the main window each have an index entry leading to the keyboard page, which
// names them; the saving page warns that Ctrl+C copies a selection of the formula box.
void TestHelp::keysAreDocumented() {
    const HelpBook book;
    const QString keys = book.text(QStringLiteral("keyboard.html"));
    for (const QString &key :
         {QStringLiteral("Enter"), QStringLiteral("F1"), QStringLiteral("Ctrl+S"),
          QStringLiteral("Ctrl+Q"), QStringLiteral("Ctrl+C"), QStringLiteral("Ctrl+P")}) {
        QVERIFY2(keys.contains(key.toLower()), qPrintable(key + " is not on the keyboard page"));
        const auto entry =
            std::find_if(book.keywords().begin(), book.keywords().end(),
                         [&](const kurvanto::HelpKeyword &k) { return k.keyword == key; });
        QVERIFY2(entry != book.keywords().end(), qPrintable(key + " is not in the index"));
    }
    QVERIFY(book.text(QStringLiteral("saving.html"))
                .contains(QStringLiteral("ctrl+c копирует этот текст, а не рисунок")));
    const auto topic = std::find_if(
        book.contents().begin(), book.contents().end(),
        [](const kurvanto::HelpTopic &t) { return t.page == QLatin1String("keyboard.html"); });
    QVERIFY(topic != book.contents().end());
    QCOMPARE(topic->title, QStringLiteral("Клавиши"));
}

void TestHelp::everyPageIsInTheContentsWithATitle() {
    const HelpBook book;
    QStringList listed;
    for (const kurvanto::HelpTopic &topic : book.contents()) {
        QVERIFY2(book.hasPage(topic.page), qPrintable(topic.page));
        QVERIFY2(!topic.title.isEmpty(), qPrintable(topic.page + " has no title"));
        listed.append(topic.page);
    }
    QCOMPARE(listed.first(), HelpBook::startPage());
    for (const QString &page : book.pages())
        QVERIFY2(listed.contains(page), qPrintable(page + " is missing from the contents"));
    QCOMPARE(listed.size(), book.pages().size());
}

// What the pages promise about formulas, checked against the engine. Status: 'n' a value,
// 'f' "Ошибка в функции !!!", 'm' no value at this x, 'c' the number conversion message.
void TestHelp::examplesOfTheHelpMatchTheEngine_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<double>("x");
    QTest::addColumn<char>("status");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("tolerance");
    auto value = [](const char *f, double x, double v, double tol = 1e-12) {
        QTest::newRow(f) << QString::fromUtf8(f) << x << 'n' << v << tol;
    };
    auto refused = [](const char *f, char status = 'f', double x = 1) {
        QTest::addRow("%s refused", f) << QString::fromUtf8(f) << x << status << 0.0 << 0.0;
    };
    // formulas.html: order of operations and the minus
    value("2^3^2", 0, 64, 1e-12);
    value("2^(3^2)", 0, 512, 1e-10);
    value("5-2-1", 0, 2);
    value("8/2/2", 0, 2);
    value("-2^2", 0, 4, 1e-12);
    value("-x^2", 3, 9, 1e-12);
    value("-(x^2)", 3, -9, 1e-12);
    value("0-x^2", 3, -9, 1e-12);
    value("x--x", 3, 6);
    value("x*-2", 3, -6);
    value("2^-1", 0, 0.5, 1e-15);
    value("-(sin(x))", 1, -std::sin(1.0));
    value("0-sin(x)", 1, -std::sin(1.0));
    value("-1*sin(x)", 1, -std::sin(1.0));
    value("sin(-x)", 1, -std::sin(1.0));
    refused("-sin(x)");
    refused("--x");
    refused("+x");
    refused("x*+2");
    // formulas.html: the argument of a function
    value("sin x", 1, std::sin(1.0));
    value("sin x^2", 1, std::sin(1.0) * std::sin(1.0));
    value("sin(x)^2", 1, std::sin(1.0) * std::sin(1.0));
    value("sin(x^2)", 2, std::sin(4.0));
    value("sin-x", 1, -std::sin(1.0));
    value("sin(sin(x))", 1, std::sin(std::sin(1.0)));
    refused("sin sin x");
    refused("sinx");
    // formulas.html: numbers, multiplication, letters
    value("2,5*x", 2, 5);
    value("2,", 0, 2);
    refused("2 x");
    refused("x)+5");
    refused("(x+1 2)");
    value("x + 1", 3, 4);
    refused("2.5*x");
    refused(",5");
    refused("1e5");
    refused("2,,5", 'c');
    refused("1,2,3", 'c');
    for (const char *f :
         {"2x",       "2pi",  "3sin(x)", "x(x+1)", "(x+1)(x-1)", "x2",    "y",   "a*x",
          "\u0445^2", "x+",   "2*",      "",       "[x]",        "x#2",   "x:2", "x*/2",
          "x**2",     "x^^2", "x++2",    "tan(x)", "log(x)",     "exp(x)"})
        refused(f);
    // formulas.html: the power
    value("2^0,5", 0, std::sqrt(2.0));
    value("(-2)^3", 0, -8, 1e-12);
    value("(-2)^2", 0, 4, 1e-12);
    value("(-2)^-1", 0, -0.5, 1e-15);
    value("(-8)^(1/3)", 0, -2, 1e-12);
    value("(-8)^(-1/3)", 0, -0.5, 1e-12);
    value("x^(1/3)", -27, -3, 1e-12);
    value("x^(1/3)", 0, 0);
    value("0^0", 0, 1);
    value("0,1^400", 0, 0);
    value("3^2", 0, 9, 1e-12);
    refused("(-8)^(2/3)", 'm');
    refused("(-2)^0,5", 'm');
    refused("x^0,5", 'm', -3);
    refused("0^-1", 'm');
    refused("10^400", 'm');
    refused("1/x", 'm', 0);
    // functions.html: the table and the notes
    value("sin(pi/2)", 0, 1, 1e-15);
    value("cos(0)", 0, 1);
    value("tg(pi/4)", 0, 1, 1e-9);
    value("ctg(pi/4)", 0, 1, 1e-9);
    value("arctg(1)", 0, 0.785, 5e-4);
    value("arcctg(0)", 0, 1.5707963267948966);
    value("arcsin(0,5)", 0, 0.52360, 1e-5); // shown as 0,5236
    value("arcsin(0)", 0, 0);
    value("arcsin(1)", 0, 1.5707963267948966);
    value("arcsin(-1)", 0, -1.5707963267948966);
    value("arccos(1)", 0, 0);
    value("arccos(0)", 0, 1.5707963267948966);
    value("arccos(-1)", 0, 3.141592653589793);
    value("sqrt(9)", 0, 3);
    value("sqrt(0)", 0, 0);
    value("sc(0)", 0, 1);
    value("csc(pi/2)", 0, 1, 1e-15);
    value("ln(1)", 0, 0);
    value("lg(100)", 0, 2, 1e-15);
    value("lg(0,01)", 0, -2, 1e-15);
    value("lg(abs(x))", -100, 2, 1e-15);
    value("int(2,7)", 0, 2);
    value("int(-2,7)", 0, -2);
    value("int(-2,5)", 0, -2);
    value("frac(2,7)", 0, 0.7, 1e-15);
    value("frac(-2,7)", 0, -0.7, 1e-15);
    value("frac(-2,5)", 0, -0.5);
    value("frac(x)+1", -2.7, 0.3, 1e-15);
    value("abs(-2)", 0, 2);
    value("ln(x)/ln(2)", 8, 3, 1e-15);
    value("sin(x*pi/180)", 30, 0.5, 1e-10);
    refused("ctg(x)", 'm', 0);
    refused("csc(x)", 'm', 0);
    refused("arcsin(x)", 'm', 2);
    refused("arcsin(x)", 'm', -2);
    refused("arccos(x)", 'm', 1.5);
    refused("sqrt(x)", 'm', -1);
    refused("ln(x)", 'm', 0);
    refused("lg(x)", 'm', -1);
    // drawing.html and start.html
    value("abs(x)-5", 0, -5);
    value("x^2-3", 0, -3);
    refused("sqrt(x^2-4)+1", 'm', 0);
}

void TestHelp::examplesOfTheHelpMatchTheEngine() {
    QFETCH(QString, formula);
    QFETCH(double, x);
    QFETCH(char, status);
    QFETCH(double, value);
    QFETCH(double, tolerance);

    kurvanto::SetFormulaText(formula.toStdString());
    kurvanto::FormulaStatus = 'n';
    kurvanto::CheckFormula();
    char got = kurvanto::FormulaStatus;
    double result = 0;
    if (got == 'n') {
        try {
            result = kurvanto::EvaluateFormula(x);
            got = kurvanto::FormulaStatus;
        } catch (const kurvanto::ConversionError &) {
            got = 'c';
        }
    }
    // The build refuses what the program does not accept, as the help says it does.
    if (got != 'c') {
        const auto fault = kurvanto::FindFormulaFault(formula.toStdString());
        if (fault)
            got = fault->kind == kurvanto::FaultKind::Number ? 'c' : 'f';
    }
    QCOMPARE(got, status);
    if (status == 'n')
        QVERIFY2(std::abs(result - value) <= tolerance,
                 qPrintable(QStringLiteral("%1 at %2 gives %3, the help says %4")
                                .arg(formula)
                                .arg(x)
                                .arg(result, 0, 'g', 17)
                                .arg(value, 0, 'g', 17)));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
