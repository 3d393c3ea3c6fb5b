// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a screen reader meets them: every control that takes the focus or does
// something has a name, and the picture is a chart whose words follow the field.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "helpwindow.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;

namespace {

// The shown objects below `node` that take the focus or have an action but no name.
void FindUnnamed(QAccessibleInterface *node, const QString &path, QStringList &unnamed) {
    if (node == nullptr || !node->isValid() || node->state().invisible)
        return;
    const QString here = path + '/' + (node->object() ? node->object()->objectName() : "");
    const QAccessibleActionInterface *act = node->actionInterface();
    if ((node->state().focusable || (act && !act->actionNames().isEmpty())) &&
        node->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << here + ':' + QString::number(node->role(), 16);
    for (int i = 0; i < node->childCount(); ++i)
        FindUnnamed(node->child(i), here, unnamed);
}

QString Unnamed(QWidget &window) {
    QStringList unnamed;
    FindUnnamed(QAccessible::queryAccessibleInterface(&window), QString(), unnamed);
    return unnamed.join(' ');
}

} // namespace

class TestAccessible : public kurvanto::testing::WindowTest {
    Q_OBJECT

    QString described() {
        return QAccessible::queryAccessibleInterface(child<QWidget>("Image1"))
            ->text(QAccessible::Description);
    }

  private slots:
    void init() {
        WindowTest::init();
        form_->show();
    }

    // Each window walked while it is open, opened by its menu item.
    void everyControlIsNamed_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << ""
                                     << "";
        QTest::newRow("properties") << "N8"
                                    << "kurvanto::TForm2";
        QTest::newRow("annotation") << "N17"
                                    << "kurvanto::TForm4";
        QTest::newRow("interval") << "N14"
                                  << "kurvanto::TForm6";
        QTest::newRow("about") << "N12"
                               << "kurvanto::TForm3";
        QTest::newRow("description") << "N50"
                                     << "QDialog";
        QTest::newRow("help") << "N10"
                              << "";
    }
    void everyControlIsNamed() {
        QFETCH(QString, item);
        QFETCH(QString, window);
        child<QDockWidget>("GraphList")->show();
        build(QStringLiteral("x^2-3")); // the list of graphs has a row
        if (item == "N14")
            child<QAction>("N19")->trigger(); // the interval asked for
        QString unnamed = item.isEmpty() ? Unnamed(*form_) : QStringLiteral("not opened");
        ui_->onDialog = [&](QDialog &dialog) {
            dialog.show();
            if (dialog.metaObject()->className() == window)
                unnamed = Unnamed(dialog);
            return int(QDialog::Rejected);
        };
        if (!item.isEmpty())
            child<QAction>(qPrintable(item))->trigger();
        if (HelpWindow *help = HelpWindow::instance())
            unnamed = Unnamed(*help);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed));
    }

    void thePictureIsAChartWhoseWordsCanBeCopied() {
        QAccessibleInterface *picture =
            QAccessible::queryAccessibleInterface(child<QWidget>("Image1"));
        QCOMPARE(picture->role(), QAccessible::Chart);
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Поле графика"));
        QVERIFY(picture->state().focusable);
        build(QStringLiteral("x^2-3"));
        QVERIFY(described().contains(QStringLiteral("f(x)=x^2-3, цвет чёрный (000000)")));
        ui_->onDialog = [](QDialog &dialog) {
            auto *text = dialog.findChild<QPlainTextEdit *>(QStringLiteral("DescriptionText"));
            text->selectAll();
            text->copy();
            return int(QDialog::Rejected);
        };
        QCOMPARE(child<QAction>("N50")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
        child<QAction>("N50")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), described());
    }

    // Each change of the field is told once with new words; a step that changes nothing, never.
    void eachChangeOfTheFieldIsTold_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("words");
        QTest::newRow("build") << "build"
                               << "f(x)=x,";
        QTest::newRow("clear") << "SpeedButton5"
                               << "Графиков нет.";
        QTest::newRow("zoom") << "ZoomIn"
                              << "x от -8 до 8";
        QTest::newRow("nothing") << "SpeedButton3"
                                 << ""; // the properties closed
    }
    void eachChangeOfTheFieldIsTold() {
        QFETCH(QString, change);
        QFETCH(QString, words);
        QSignalSpy told(form_.get(), &TForm1::pictureDescribed);
        build(QStringLiteral("sin(x)"));
        told.clear();
        const QString before = described();
        if (change == "build")
            build(QStringLiteral("x"));
        else if (change == "ZoomIn")
            child<QAction>(qPrintable(change))->trigger();
        else
            child<QToolButton>(qPrintable(change))->click();
        QCOMPARE(told.count(), words.isEmpty() ? 0 : 1);
        QCOMPARE(described() != before, !words.isEmpty());
        QVERIFY2(described().contains(words), qPrintable(described()));
    }
};

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
