// SPDX-License-Identifier: GPL-3.0-or-later
// The panel "Параметры" and families through the main window: the panel appears with the
// parameters a build reads, a slider's moves are one step of undo, the window draws what the
// tool draws with --param, and a family of more than 50 is refused.
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <memory>

#include "namedchild.h"
#include "parameterpanel.h"
#include "parameterroom.h"
#include "tform1.h"
#include "uirecorder.h"

using namespace kurvanto;

class TestParameters : public QObject {
    Q_OBJECT

    PlotState state_;
    std::unique_ptr<UiRecorder> ui_;
    std::unique_ptr<TForm1> form_;
    QTemporaryDir settingsDir_, dir_;

    void build(const QString &formula) {
        NamedChild<QLineEdit>(*form_, "Edit1")->setText(formula);
        NamedChild<QToolButton>(*form_, "SpeedButton4")->click();
    }
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
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    }
    void init() {
        QSettings(QStringLiteral("Kurvanto"), QStringLiteral("kurvanto")).clear();
        state_ = PlotState();
        ui_ = std::make_unique<UiRecorder>();
        form_ = std::make_unique<TForm1>(state_, [] { return QSize(1280, 1024); });
        form_->show();
    }
    void cleanup() {
        form_.reset();
        ui_.reset();
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
        QProcess tool;
        tool.start(QStringLiteral(KURVANTO_CLI),
                   {"plot", "--sheet", sheet, "-o", file, "--param", "k=0,3", "--param", "b=-1"});
        QVERIFY(tool.waitForFinished(60000) && tool.exitCode() == 0);
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
