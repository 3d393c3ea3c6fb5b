// SPDX-License-Identifier: GPL-3.0-or-later
// The panel "Параметры" and families through the main window: the panel appears with the
// parameters a build reads, a slider's moves are one step of undo, the window draws what the
// tool draws with --param, and a family of more than 50 is refused.
#include <QAction>
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
#include "worksheet.h"

using namespace kurvanto;

class TestParameters : public QObject {
    Q_OBJECT

    PlotState state_;
    std::unique_ptr<UiRecorder> ui_;
    std::unique_ptr<TForm1> form_;
    QTemporaryDir settingsDir_, dir_;

    template <typename T> T *child(const char *name) { return NamedChild<T>(*form_, name); }
    void build(const QString &formula) {
        child<QLineEdit>("Edit1")->setText(formula);
        child<QToolButton>("SpeedButton4")->click();
    }
    QImage picture() const { return form_->canvas().image(); }
    // A slider held, moved through the values, let go.
    void drag(const char *slider, std::initializer_list<int> positions) {
        QSlider *s = child<QSlider>(slider);
        s->setSliderDown(true);
        for (int p : positions)
            s->setValue(p);
        QCoreApplication::processEvents();
        s->setSliderDown(false);
        form_->parameterRoom()->settle();
    }
    QImage tool(const QStringList &args) {
        const QString file = dir_.filePath(QStringLiteral("tool.png"));
        QProcess process;
        process.start(QStringLiteral(KURVANTO_CLI), QStringList{"plot", "-o", file} + args);
        [&] { QVERIFY(process.waitForFinished(60000)); }();
        [&] { QCOMPARE(process.exitCode(), 0); }();
        return QImage(file).convertToFormat(picture().format());
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
        state_.BackgroundColor = 0xFFFFFF;
    }
    void cleanup() {
        form_.reset();
        ui_.reset();
    }

    void panelAppearsWithTheParametersOfTheBuilds() {
        ParameterPanel *panel = form_->parameterRoom()->panel();
        build(QStringLiteral("x^2"));
        QVERIFY(!panel->isVisible());
        build(QStringLiteral("k*x+b"));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->shownParameters(), (std::vector<int>{1, 3}));
        QVERIFY(child<QSlider>("slider_k")->isVisible());
        QVERIFY(!child<QSlider>("slider_c")->isVisible());
    }

    void sliderDragIsOneStepAndDrawsAsTheToolWithParam() {
        build(QStringLiteral("k*x+b"));
        const QString before = dir_.filePath(QStringLiteral("before.kurv"));
        QVERIFY(SaveWorksheetFile(form_->field().worksheet(), before).ok);
        const QImage atOne = picture();
        const int steps = form_->undoStack()->count();
        drag("slider_k", {105, 110, 120}); // -10 + 120 * 0,1 = 2
        drag("slider_b", {95, 90});        // -1
        QCOMPARE(form_->undoStack()->count(), steps + 2);
        QCOMPARE(form_->field().parameters().value[3], 2.0);
        QCOMPARE(form_->field().parameters().value[1], -1.0);
        QCOMPARE(picture(), tool({"--sheet", before, "--param", "k=2", "--param", "b=-1"}));
        form_->undoStack()->undo();
        form_->undoStack()->undo();
        QCOMPARE(picture(), atOne);
        QCOMPARE(child<QSlider>("slider_k")->value(), 110); // the panel follows: 1
    }

    void familyOfMoreThanFiftyIsRefused() {
        child<QLineEdit>("Edit1")->setText(QStringLiteral("x^2+c"));
        ParameterRoom *room = form_->parameterRoom();
        QVERIFY(room->buildFamily(2, -2, 2, 0.05).has_value());
        QCOMPARE(form_->displayList().items().size(), std::size_t(0));
        QVERIFY(!room->buildFamily(2, -2, 2, 1).has_value());
        QCOMPARE(form_->displayList().items().size(), std::size_t(5));
        QCOMPARE(form_->undoStack()->count(), 1);
    }
};

QTEST_MAIN(TestParameters)
#include "tst_parameters.moc"
