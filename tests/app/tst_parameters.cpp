// SPDX-License-Identifier: GPL-3.0-or-later
// The panel "Параметры" and families through the main window: the panel appears with the
// parameters a build reads, a slider's moves are one step of undo, the window draws what the
// tool draws with --param, and a family of more than 50 is refused.
#include <QLineEdit>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <memory>

#include "clirunner.h"
#include "parameterpanel.h"
#include "parameterroom.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;
using kurvanto::testing::NamedChild;

class TestParameters : public kurvanto::testing::WindowTest {
    Q_OBJECT

    QTemporaryDir dir_;

    // A slider held, moved through the positions, let go.
    void drag(const char *slider, std::initializer_list<int> positions) {
        QSlider *s = NamedChild<QSlider>(*form_, slider);
        s->setSliderDown(true);
        for (int p : positions)
            s->setValue(p);
        QCoreApplication::processEvents();
        s->setSliderDown(false);
        form_->parameterRoom()->settle();
    }

  private slots:
    void init() {
        WindowTest::init();
        form_->show();
    }

    void panelAppearsAndADragIsOneStepDrawnAsTheToolDraws() {
        ParameterPanel *panel = form_->parameterRoom()->panel();
        build(QStringLiteral("x^2"));
        QVERIFY(!panel->isVisible());
        build(QStringLiteral("k*x+b"));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->shownParameters(), (std::vector<int>{1, 3}));
        const QString sheet = dir_.filePath(QStringLiteral("before.kurv")),
                      file = dir_.filePath(QStringLiteral("tool.png"));
        QVERIFY(SaveWorksheetFile(form_->field().worksheet(), sheet).ok);
        const QImage atOne = form_->canvas().image();
        const int steps = form_->undoStack()->count();
        drag("slider_k", {105, 110, 103}); // -10 + 103 * 0,1 = 0,3
        drag("slider_b", {95, 90});        // -1
        QCOMPARE(form_->undoStack()->count(), steps + 2);
        QVERIFY(form_->field().parameters().value[3] == 0.3); // exactly, as the box shows it
        QCOMPARE(kurvanto::testing::RunCliArgs(
                     {"plot", "--sheet", sheet, "-o", file, "--param", "k=0,3", "--param", "b=-1"})
                     .code,
                 0);
        QCOMPARE(form_->canvas().image(), QImage(file).convertToFormat(atOne.format()));
        form_->undoStack()->undo();
        form_->undoStack()->undo();
        QCOMPARE(form_->canvas().image(), atOne);
        QCOMPARE(NamedChild<QSlider>(*form_, "slider_k")->value(), 110); // the panel follows: 1
    }

    void familyOfMoreThanFiftyIsRefused() {
        NamedChild<QLineEdit>(*form_, "Edit1")->setText(QStringLiteral("x^2+c"));
        QVERIFY(form_->parameterRoom()->buildFamily(2, -2, 2, 0.05).has_value());
        QVERIFY(!form_->parameterRoom()->buildFamily(2, -2, 2, 1).has_value());
        QCOMPARE(form_->displayList().items().size(), std::size_t(5));
        QCOMPARE(form_->undoStack()->count(), 1);
    }
};

QTEST_MAIN(TestParameters)
#include "tst_parameters.moc"
