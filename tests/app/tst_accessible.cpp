// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a screen reader meets them: every control that takes the focus or does
// something has a name, the picture is a chart whose description follows the field, and every
// toolbar command has a menu path.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <memory>

#include "helpwindow.h"
#include "localesep.h"
#include "namedchild.h"
#include "tform1.h"
#include "tform5.h"
#include "uirecorder.h"

using namespace kurvanto;

namespace {

// The focusable or actionable objects without a name below `object`, as role/objectName.
void FindUnnamed(QAccessibleInterface *node, const QString &path, QStringList &unnamed) {
    if (node == nullptr || !node->isValid() || node->state().invisible)
        return;
    const QString here = path + QLatin1Char('/') + QString::number(node->role(), 16) +
                         QLatin1Char(':') + (node->object() ? node->object()->objectName() : "");
    const QAccessibleActionInterface *actions = node->actionInterface();
    const bool actionable = actions && !actions->actionNames().isEmpty();
    if ((node->state().focusable || actionable) &&
        node->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << here;
    for (int i = 0; i < node->childCount(); ++i)
        FindUnnamed(node->child(i), here, unnamed);
}

QStringList Unnamed(QWidget &window) {
    QStringList unnamed;
    FindUnnamed(QAccessible::queryAccessibleInterface(&window), QString(), unnamed);
    return unnamed;
}

} // namespace

class TestAccessible : public QObject {
    Q_OBJECT

  private:
    PlotState state_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<UiRecorder> ui_;

    template <typename T> T *child(const char *name) { return NamedChild<T>(*form_, name); }
    void build(const QString &formula) {
        child<QLineEdit>("Edit1")->setText(formula);
        child<QToolButton>("SpeedButton4")->click();
    }
    QString described() {
        return QAccessible::queryAccessibleInterface(child<QWidget>("Image1"))
            ->text(QAccessible::Description);
    }

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        state_ = PlotState();
        ui_ = std::make_unique<UiRecorder>();
        form_ = std::make_unique<TForm1>(state_, [] { return QSize(1280, 1024); });
        SetLocaleDecimalSeparator(QLatin1Char(','));
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() {
        if (HelpWindow::instance())
            HelpWindow::instance()->close();
        form_.reset();
        ui_.reset();
    }

    // Each window opened from the main window, walked while it is open.
    void everyControlIsNamed_data() {
        QTest::addColumn<QString>("opener");
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
                              << "kurvanto::HelpWindow";
    }
    void everyControlIsNamed() {
        QFETCH(QString, opener);
        QFETCH(QString, window);
        form_->findChild<QDockWidget *>(QStringLiteral("GraphList"))->show();
        build(QStringLiteral("x^2-3")); // the list of graphs has a row
        if (opener == "N14")
            child<QAction>("N19")->trigger(); // the interval option on
        QStringList unnamed{QStringLiteral("not opened")};
        ui_->onDialog = [&](QDialog &dialog) {
            dialog.show();
            if (QString::fromLatin1(dialog.metaObject()->className()) == window)
                unnamed = Unnamed(dialog);
            return int(QDialog::Rejected);
        };
        if (opener.isEmpty())
            unnamed = Unnamed(*form_);
        else
            child<QAction>(opener.toLatin1().constData())->trigger();
        if (HelpWindow *help = HelpWindow::instance())
            unnamed = Unnamed(*help);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    }

    void theRefusalIsNamed() {
        state_.RefuseMessage = QStringLiteral("Разрешение ниже, чем 800х600!");
        TForm5 refusal(state_);
        refusal.show();
        QCOMPARE(Unnamed(refusal), QStringList());
    }

    void thePictureIsAChartTellingTheBuilds() {
        QAccessibleInterface *picture =
            QAccessible::queryAccessibleInterface(child<QWidget>("Image1"));
        QCOMPARE(picture->role(), QAccessible::Chart);
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Поле графика"));
        QVERIFY(picture->state().focusable);
        build(QStringLiteral("x^2-3"));
        QVERIFY(described().contains(QStringLiteral("f(x)=x^2-3, цвет чёрный (000000)")));
    }

    // Each change of the field gives one event and words of its own; a step that leaves the
    // field as it was gives none.
    void eachChangeOfTheFieldIsAnnounced_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("events");
        QTest::newRow("build") << "build"
                               << "f(x)=x" << 1;
        QTest::newRow("clear") << "clear"
                               << "Графиков нет." << 1;
        QTest::newRow("mark") << "mark"
                              << "Насечки: x = 1, y = 2." << 1;
        QTest::newRow("zoom") << "zoom"
                              << "x от -8 до 8" << 1;
        QTest::newRow("undo") << "undo"
                              << "Графиков нет." << 1;
        QTest::newRow("properties closed") << "properties"
                                           << "f(x)=sin(x)" << 0;
    }
    void eachChangeOfTheFieldIsAnnounced() {
        QFETCH(QString, change);
        QFETCH(QString, told);
        QFETCH(int, events);
        build(QStringLiteral("sin(x)"));
        QSignalSpy spy(form_.get(), &TForm1::pictureDescribed);
        const QString before = described();
        if (change == "build")
            build(QStringLiteral("x"));
        else if (change == "clear")
            child<QToolButton>("SpeedButton5")->click();
        else if (change == "mark") {
            ui_->onDialog = [this](QDialog &) {
                state_.AnnotationX = Real48::from(1);
                state_.AnnotationY = Real48::from(2);
                state_.AnnotationConfirmed = 1;
                return int(QDialog::Accepted);
            };
            child<QToolButton>("SpeedButton7")->click();
        } else if (change == "zoom")
            child<QAction>("ZoomIn")->trigger();
        else if (change == "undo")
            form_->undoStack()->undo();
        else
            child<QToolButton>("SpeedButton3")->click(); // a step, closed with nothing changed
        QCOMPARE(spy.count(), events);
        QVERIFY2(described().contains(told), qPrintable(described()));
        QCOMPARE(described() != before, events == 1);
    }

    void theDescriptionDialogShowsTheWordsToCopy() {
        build(QStringLiteral("x^2-3"));
        QString shown;
        ui_->onDialog = [&](QDialog &dialog) {
            auto *text = dialog.findChild<QPlainTextEdit *>(QStringLiteral("DescriptionText"));
            shown = text->toPlainText();
            text->selectAll();
            text->copy();
            return int(QDialog::Rejected);
        };
        QKeySequence keys = child<QAction>("N50")->shortcut();
        QCOMPARE(keys, QKeySequence(Qt::CTRL | Qt::Key_I));
        child<QAction>("N50")->trigger();
        QCOMPARE(shown, described());
        QCOMPARE(QGuiApplication::clipboard()->text(), shown);
    }

    // A toolbar button and its menu item do the same: the same messages, dialogs and field.
    void everyToolbarCommandHasAMenuItem_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("item");
        QTest::newRow("save") << "SpeedButton1"
                              << "N2";
        QTest::newRow("copy") << "SpeedButton2"
                              << "N6";
        QTest::newRow("properties") << "SpeedButton3"
                                    << "N8";
        QTest::newRow("annotation") << "SpeedButton7"
                                    << "N17";
        QTest::newRow("build") << "SpeedButton4"
                               << "N14";
        QTest::newRow("clear") << "SpeedButton5"
                               << "N16";
        QTest::newRow("help") << "SpeedButton6"
                              << "N10";
    }
    void everyToolbarCommandHasAMenuItem() {
        QFETCH(QString, button);
        QFETCH(QString, item);
        child<QLineEdit>("Edit1")->setText(QStringLiteral("x"));
        const auto outcome = [this] {
            const QString help = HelpWindow::instance() ? "help" : "";
            if (HelpWindow::instance())
                HelpWindow::instance()->close();
            const QStringList seen = ui_->messages + ui_->dialogs + QStringList{help};
            ui_->messages.clear();
            ui_->dialogs.clear();
            return seen + QStringList{QString::number(state_.GraphPresent)};
        };
        child<QToolButton>(button.toLatin1().constData())->click();
        const QStringList byButton = outcome();
        child<QToolButton>("SpeedButton5")->click();
        outcome();
        QAction *action = child<QAction>(item.toLatin1().constData());
        QVERIFY(menuBarHolds(action));
        action->trigger();
        QCOMPARE(outcome(), byButton);
    }

    // Actions outside the menus are keys.
    void everyOtherCommandHasAKey() {
        for (QAction *action : form_->findChildren<QAction *>()) {
            if (action->isSeparator() || action->menu() || menuBarHolds(action) ||
                !action->associatedObjects().contains(form_.get()))
                continue;
            QVERIFY2(!action->shortcut().isEmpty(), qPrintable(action->objectName()));
        }
    }

  private:
    bool menuBarHolds(QAction *action) {
        for (QAction *top : form_->menuBar()->actions())
            if (top->menu() && top->menu()->actions().contains(action))
                return true;
        return false;
    }
};

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
