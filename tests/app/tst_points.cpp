// SPDX-License-Identifier: GPL-3.0-or-later
// The points of interest in the main window: off and hidden at first, the panel's list the
// tool's, Ctrl+C in the panel copies its rows, a chosen row goes to the read-out.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "clirunner.h"
#include "localesep.h"
#include "pointspanel.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;

class TestPoints : public kurvanto::testing::WindowTest {
    Q_OBJECT

    QTableWidget *shownTable() {
        child<QAction>("N41")->trigger();
        QTableWidget *table = child<QTableWidget>("PointsTable");
        form_->repaint(); // the list follows the picture
        QApplication::processEvents();
        return table;
    }
    static QString Row(const QTableWidget &table, int row) {
        QStringList cells;
        for (int column = 0; column < 4; ++column)
            cells << table.item(row, column)->text();
        return cells.join(QLatin1Char('\t'));
    }

  private slots:
    void init() {
        WindowTest::init();
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    // Both panels of the menu "Вид" come when their item is chosen.
    void viewItemsShowTheirPanels() {
        for (const auto &[item, panel] : {std::pair{"N36", "GraphList"}, {"N41", "PointsPanel"}}) {
            child<QAction>(item)->trigger();
            QVERIFY2(child<QDockWidget>(panel)->isVisible(), item);
        }
    }

    // With the option on, the picture's words name each build's points.
    void descriptionNamesThePoints() {
        child<QAction>("N40")->trigger();
        build(QStringLiteral("x^2-3"));
        const QString words = form_->pictureDescription();
        QVERIFY2(words.contains("корни: -1,732; 1,732") && words.contains("минимумы: 0 (y = -3)"),
                 qPrintable(words));
    }

    void optionOffAndPanelHiddenAtFirst() {
        QVERIFY(!child<QAction>("N40")->isChecked());
        QVERIFY(!form_->fieldOptions().points);
        QVERIFY(!child<QDockWidget>("PointsPanel")->isVisible());
    }

    // The tool's lines for the same field, in the panel's words and digits.
    void panelListsWhatTheToolPrints() {
        build(QStringLiteral("sin(x)"));
        build(QStringLiteral("cos(x)"));
        const QTableWidget *table = shownTable();
        const kurvanto::testing::Result tool =
            kurvanto::testing::RunCli({"points", "sin(x)", "--also", "cos(x)"});
        QCOMPARE(tool.code, 0);
        const QStringList lines = QString::fromStdString(tool.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(table->rowCount(), lines.size());
        const QStringList formulas = {"sin(x)", "cos(x)"};
        const QHash<QString, QString> kinds = {
            {"root", "корень"}, {"min", "минимум"}, {"max", "максимум"}, {"cross", "пересечение"}};
        for (int row = 0; row < lines.size(); ++row) {
            QStringList f = lines[row].split(' ');
            const bool cross = f[0] == "cross";
            const QString names = cross ? "sin(x) и cos(x)" : formulas[f[1].toInt() - 1];
            auto number = [](const QString &t) {
                return QString::number(t.toDouble(), 'g', 10).replace('.', ',');
            };
            QCOMPARE(Row(*table, row), QStringList({kinds[f[0]], names, number(f[cross ? 3 : 2]),
                                                    number(f[cross ? 4 : 3])})
                                           .join('\t'));
        }
    }

    void ctrlCInThePanelCopiesTheSelectedRows() {
        build(QStringLiteral("x^2-3"));
        QTableWidget *table = shownTable();
        QCOMPARE(table->rowCount(), 3);
        table->setFocus();
        table->selectRow(0);
        table->setSelectionMode(QAbstractItemView::MultiSelection);
        table->selectRow(2);
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 "корень\tx^2-3\t-1,732050808\t" + table->item(0, 3)->text() +
                     "\nкорень\tx^2-3\t1,732050808\t" + table->item(2, 3)->text() + "\n");
    }

    void chosenRowShownInTheReadoutAndRinged() {
        build(QStringLiteral("x^2-3"));
        QTableWidget *table = shownTable();
        const QImage before = form_->canvas().image();
        table->setCurrentCell(2, 0); // the root at sqrt(3) = 1,7320...
        QCOMPARE(child<QLabel>("Label3")->text(), "1" + QString(LocaleDecimalSeparator()) + "73");
        table->setCurrentCell(1, 0); // the minimum at (0, -3)
        QCOMPARE(child<QLabel>("Label4")->text(), QStringLiteral("-3"));
        QVERIFY(form_->canvas().image() != before);
    }
};

QTEST_MAIN(TestPoints)
#include "tst_points.moc"
