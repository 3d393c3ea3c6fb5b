// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's worksheets and undo: a worksheet opens pixel for pixel in a fresh window
// and in the tool, undo takes a session back picture by picture, a bad worksheet changes
// nothing, a changed worksheet asks before it goes.
#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QWheelEvent>
#include <QtTest>
#include <functional>
#include <memory>

#include "annotation.h"
#include "graphlist.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;
using kurvanto::testing::NamedChild;

class TestWorksheet : public kurvanto::testing::WindowTest {
    Q_OBJECT

  public:
    TestWorksheet() : WindowTest() {}

  private:
    QTemporaryDir dir_;

    // The annotation dialog confirmed with one kind: 't'icks, 'c'orner or 'l'abel.
    void annotate(char kind, double x, double y, const QString &text = QString()) {
        ui_->onDialog = [=](QDialog &) {
            state_.AnnotationConfirmed = 1;
            state_.TickMode = kind == 't';
            state_.CornerMode = kind == 'c';
            state_.LabelMode = kind == 'l';
            state_.AnnotationX = Real48::from(x);
            state_.AnnotationY = Real48::from(y);
            state_.LabelText = text;
            return int(QDialog::Accepted);
        };
        child<QToolButton>("SpeedButton7")->click();
        ui_->onDialog = nullptr;
    }
    void press(QPoint at, Qt::MouseButton button) {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), image()->mapToGlobal(QPointF(at)),
                          button, button, Qt::NoModifier);
        QApplication::sendEvent(image(), &event);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(at), image()->mapToGlobal(QPointF(at)),
                       button, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(image(), &up);
    }
    QString path(const char *name) const { return dir_.filePath(QLatin1String(name)); }

    // Three builds in three colours, one on an interval, ticks, a corner, two labels: seven
    // steps, `after` called after each.
    void makeField(const std::function<void()> &after = [] {}) {
        state_.BackgroundColor = 0xFFFFFF;
        build(QStringLiteral("x^2-3"));
        after();
        state_.GraphColor = 0xFF0000;
        build(QStringLiteral("sin(x)*5"));
        after();
        state_.GraphColor = 0x00AA00;
        form_->N19Click(); // on an interval: the dialog's ends as they stand
        state_.IntervalFrom = -2;
        state_.IntervalTo = 3.5;
        build(QStringLiteral("x/3"));
        form_->N19Click();
        after();
        annotate('t', 1, 2);
        after();
        annotate('c', 1.5, 0);
        after();
        annotate('l', 0, 0, QStringLiteral("первая"));
        press(QPoint(100, 60), Qt::LeftButton);
        after();
        annotate('l', 0, 0, QStringLiteral("вторая"));
        press(QPoint(400, 300), Qt::LeftButton);
        after();
    }

  private slots:
    void initTestCase() {
        WindowTest::initTestCase();
        QVERIFY(dir_.isValid());
    }

    void savedSheetOpensPixelForPixelInAFreshWindowAndTheTool() {
        QVERIFY(showActive());
        form_->N22Click(); // grid
        form_->N25Click(); // legend
        makeField();
        wheel(QPointF(300, 200), 120);
        wheel(QPointF(320, 180), 120);
        QVERIFY(ui_->messages.isEmpty());
        QCOMPARE(form_->displayList().items().size(), 7u);
        QVERIFY(form_->saveSheetTo(path("lesson.kurv")));
        QCOMPARE(form_->windowTitle(),
                 QStringLiteral("Kurvanto(Курванто) Версия 2.0 - lesson.kurv"));
        const QImage saved = picture();

        PlotState fresh;
        TForm1 other(fresh, [] { return QSize(1280, 1024); });
        QVERIFY(other.openSheet(path("lesson.kurv")));
        QCOMPARE(other.canvas().image(), saved);
        QVERIFY(other.fieldOptions().grid && other.fieldOptions().legend);
        QVERIFY(NamedChild<QAction>(other, "N22")->isChecked());

        QProcess tool;
        tool.start(QStringLiteral(KURVANTO_CLI),
                   {"plot", "--sheet", path("lesson.kurv"), "-o", path("tool.png")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(QImage(path("tool.png")).convertToFormat(QImage::Format_RGB32),
                 saved.convertToFormat(QImage::Format_RGB32));
    }

    void undoTakesASessionBackPictureByPicture_data() {
        QTest::addColumn<bool>("grid");
        QTest::newRow("grid on") << true;
        QTest::newRow("options off") << false;
    }
    void undoTakesASessionBackPictureByPicture() {
        QFETCH(bool, grid);
        QVERIFY(showActive());
        if (grid)
            form_->N22Click();
        QList<QImage> pictures{picture()};
        const auto step = [&](const std::function<void()> &act) {
            act();
            pictures << picture();
            QCOMPARE(form_->undoStack()->index(), pictures.size() - 1);
        };
        makeField([&] { step([] {}); });
        step([&] { wheel(QPointF(300, 200), 120); });
        QTest::qWait(600); // the next zoom is a step of its own
        step([&] { wheel(QPointF(200, 100), -120); });
        step([&] { build(QStringLiteral("1/x")); });
        annotate('l', 0, 0, QStringLiteral("третья"));
        step([&] { press(QPoint(50, 50), Qt::LeftButton); });
        if (grid) // erasing is drawn again only with the overlays
            step([&] { press(QPoint(60, 60), Qt::RightButton); });
        else
            step([&] { annotate('t', -3, 4); });
        step([&] { child<QToolButton>("SpeedButton5")->click(); }); // clear
        step([&] { build(QStringLiteral("x^3/10")); });
        step([&] { annotate('c', 2, 0); });
        step([&] {
            state_.GraphColor = 0xFF;
            build(QStringLiteral("abs(x)"));
        });
        step([&] { annotate('t', 2, -1); });
        step([&] { wheel(QPointF(10, 10), 120); });
        QTest::qWait(600);
        step([&] { build(QStringLiteral("sqrt(x)")); });
        step([&] { annotate('c', 4, 0); });
        QCOMPARE(pictures.size(), 21);
        QCOMPARE(NamedChild<QAction>(*form_, "N27")->text(), QStringLiteral("Отменить пометку"));
        const QImage last = picture();
        for (int i = 19; i >= 0; --i) {
            form_->undoStack()->undo();
            QVERIFY2(picture() == pictures.at(i), qPrintable(QString::number(i)));
        }
        while (form_->undoStack()->canRedo())
            form_->undoStack()->redo();
        QCOMPARE(picture(), last);
        QVERIFY(ui_->messages.isEmpty());
    }

    void viewStepsInQuickSuccessionAreOne() {
        QVERIFY(showActive());
        build(QStringLiteral("x"));
        for (int i = 0; i < 3; ++i)
            wheel(QPointF(300, 200), 120);
        QCOMPARE(form_->undoStack()->count(), 2);
        QCOMPARE(form_->undoStack()->undoText(), QStringLiteral("изменение вида"));
        form_->undoStack()->undo();
        QCOMPARE(state_.XMin, -10.0);
        QCOMPARE(state_.XMax, 10.0);
        // A refused build is no step.
        build(QStringLiteral("sin("));
        QCOMPARE(form_->undoStack()->count(), 1);
    }

    void ctrlZInTheFormulaBoxUndoesItsText() {
        QVERIFY(showActive());
        build(QStringLiteral("x"));
        auto *edit = child<QLineEdit>("Edit1");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("x^2"));
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("x"));
        QCOMPARE(form_->undoStack()->index(), 1);
        image()->setFocus();
        QTest::keyClick(image(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form_->undoStack()->index(), 0);
    }

    // What the window adds to the reader's refusal (tested with the reader): one message, and
    // the field, the caption and the steps as they were.
    void aBadSheetLeavesTheWindowAsItWas() {
        const QByteArray bytes(R"({"format": "kurvanto-worksheet", "version": 2})");
        const QString message = QStringLiteral("Лист «bad.kurv»: лист версии 2");
        QVERIFY(showActive());
        build(QStringLiteral("x^2"));
        const QImage before = picture();
        const QByteArray sheet = WorksheetJson(form_->field().worksheet());
        QFile file(path("bad.kurv"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QVERIFY(!form_->openSheet(path("bad.kurv")));
        QCOMPARE(ui_->messages.size(), 1);
        QVERIFY2(ui_->messages.first().startsWith(message), qPrintable(ui_->messages.first()));
        QCOMPARE(picture(), before);
        QCOMPARE(WorksheetJson(form_->field().worksheet()), sheet);
        QCOMPARE(form_->windowTitle(), QStringLiteral("Kurvanto(Курванто) Версия 2.0"));
        QCOMPARE(form_->undoStack()->count(), 1);
    }

    void graphListChangesAreSteps() {
        QVERIFY(showActive());
        build(QStringLiteral("x"));
        state_.GraphColor = 0xFF;
        build(QStringLiteral("x^2"));
        annotate('t', 1, 1);
        form_->graphList()->show();
        QTreeWidget *tree = form_->graphList()->tree();
        QCOMPARE(tree->topLevelItemCount(), 2); // the builds, not the marks
        QCOMPARE(tree->topLevelItem(1)->text(GraphList::FormulaColumn), QStringLiteral("x^2"));
        const QImage both = picture();
        const QRgb red = qRgb(255, 0, 0);
        const QPoint parabola(MarkColumn(state_, 2), MarkRow(state_, 4)); // x^2 at 2
        QCOMPARE(both.pixel(parabola), red);

        tree->topLevelItem(1)->setCheckState(GraphList::FormulaColumn, Qt::Unchecked);
        QTRY_VERIFY(form_->displayList().items()[1].hidden);
        QVERIFY(picture().pixel(parabola) != red);
        QCOMPARE(form_->undoStack()->undoText(), QStringLiteral("скрытие графика"));

        tree->topLevelItem(0)->setText(GraphList::FormulaColumn, QStringLiteral("x^^2"));
        QTest::qWait(20);
        QCOMPARE(form_->displayList().items()[0].formula, std::string("x")); // refused
        tree->topLevelItem(0)->setText(GraphList::FormulaColumn, QStringLiteral("x^3"));
        QTRY_COMPARE(form_->displayList().items()[0].formula, std::string("x^3"));

        ui_->onDialog = [](QDialog &dialog) {
            static_cast<QColorDialog &>(dialog).setCurrentColor(QColor(0, 0, 255));
            return int(QDialog::Accepted);
        };
        emit tree->itemClicked(tree->topLevelItem(0), GraphList::SwatchColumn);
        QCOMPARE(form_->displayList().items()[0].graphColor, TColor(0xFF0000));

        tree->setFocus();
        tree->setCurrentItem(tree->topLevelItem(1));
        QTest::keyClick(tree, Qt::Key_Delete);
        QCOMPARE(form_->displayList().items().size(), 2u);
        QCOMPARE(tree->topLevelItemCount(), 1);
        for (int i = 0; i < 4; ++i) // delete, colour, formula, hide
            form_->undoStack()->undo();
        QCOMPARE(picture(), both);
        QCOMPARE(tree->topLevelItem(0)->text(GraphList::FormulaColumn), QStringLiteral("x"));
    }

    void aChangedSheetAsksBeforeItGoes() {
        QVERIFY(showActive());
        build(QStringLiteral("x"));
        QVERIFY(form_->saveSheetTo(path("a.kurv")));
        build(QStringLiteral("x^2"));
        QCOMPARE(form_->windowTitle(), QStringLiteral("Kurvanto(Курванто) Версия 2.0 - a.kurv*"));
        int answer = QMessageBox::Cancel;
        ui_->onDialog = [&](QDialog &) { return answer; };
        QVERIFY(!form_->close()); // cancelled: the window stays
        QCOMPARE(ui_->dialogs, QStringList{"QMessageBox"});
        answer = QMessageBox::Save;
        QVERIFY(!form_->openSheet(path("missing.kurv"))); // saved first, then refused
        QCOMPARE(form_->windowTitle(), QStringLiteral("Kurvanto(Курванто) Версия 2.0 - a.kurv"));
        form_->undoStack()->undo(); // back to what was saved first: changed again
        QVERIFY(form_->sheetChanged());
        answer = QMessageBox::Discard;
        QVERIFY(form_->openSheet(path("a.kurv")));
        QCOMPARE(form_->displayList().items().size(), 2u);
        QCOMPARE(NamedChild<QAction>(*form_, "RecentSheet1")->text(), QStringLiteral("&1 a.kurv"));
        QVERIFY(form_->close());
    }
};

QTEST_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
