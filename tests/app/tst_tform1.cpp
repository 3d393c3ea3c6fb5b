// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands: build, read-out, save, copy, clear, the interval toggle, the
// dialog commands and the general error report.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <unistd.h>

#include "buildgraph.h"
#include "helpwindow.h"
#include "localesep.h"
#include "recordinghost.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;

namespace {

const QString kNoGraph = QStringLiteral("Нет графика на поле!!!");

QSize BigScreen() {
    return QSize(1280, 1024);
}

QImage AsRgb32(const QImage &image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestTForm1 : public kurvanto::testing::WindowTest {
    Q_OBJECT

  public:
    TestTForm1() : WindowTest(BigScreen(), QLatin1Char(',')) {}

  private:
    QLabel *label(const char *name) { return child<QLabel>(name); }
    void moveMouse(int x, int y) {
        QWidget *image = child<QWidget>("Image1");
        QMouseEvent move(QEvent::MouseMove, QPointF(x + 0.5, y + 0.5),
                         image->mapToGlobal(QPointF(x + 0.5, y + 0.5)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(image, &move);
    }
    void runCommand(const QString &command) {
        if (command.startsWith(QLatin1Char('N')))
            child<QAction>(command.toLatin1().constData())->trigger();
        else
            child<QToolButton>(command.toLatin1().constData())->click();
    }

  private slots:
    // ---- Build ----

    void build_drawsTheSamePictureAsTheRunOnItsOwn_data() {
        QTest::addColumn<QString>("formula");
        QTest::newRow("parabola") << "x^2-3";
        QTest::newRow("sine") << "sin(x)*5";
        QTest::newRow("hyperbola, two branches") << "1/x";
        QTest::newRow("root, fails left of zero") << "sqrt(x)";
    }
    void build_drawsTheSamePictureAsTheRunOnItsOwn() {
        QFETCH(QString, formula);
        build(formula);

        PlotState fresh;
        SetStartValues(fresh);
        Canvas canvas;
        kurvanto::testing::RecordingHost host;
        BuildGraph(fresh, canvas, formula.toStdString(), host);

        QVERIFY(!form_->canvas().isEmpty());
        QCOMPARE(form_->canvas().image(), canvas.image());
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));
        QVERIFY(ui_->messages.isEmpty());
    }

    void build_drawsTheSamePictureAsTheCommandLineTool_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("interval");
        QTest::newRow("parabola") << "x^2-3" << false;
        QTest::newRow("tangent, steep branches") << "tg(x)" << false;
        QTest::newRow("on the interval 2 to 5") << "x^2-3" << true;
    }
    void build_drawsTheSamePictureAsTheCommandLineTool() {
#ifndef KURVANTO_CLI
        QSKIP("the command-line tool is not built");
#else
        QFETCH(QString, formula);
        QFETCH(bool, interval);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tool.png"));
        QStringList args{QStringLiteral("plot"), formula, QStringLiteral("-o"), path};
        if (interval) {
            args << QStringLiteral("--interval") << QStringLiteral("2") << QStringLiteral("5");
            form_->N19Click();
            ui_->onDialog = [this](QDialog &) {
                state_.IntervalFrom = 2;
                state_.IntervalTo = 5;
                return int(QDialog::Accepted);
            };
        }
        QProcess tool;
        tool.start(QStringLiteral(KURVANTO_CLI), args);
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        build(formula);
        QCOMPARE(AsRgb32(form_->canvas().image()), AsRgb32(QImage(path)));
#endif
    }

    void build_showsThePicturePixelForPixel() {
        form_->show();
        build(QStringLiteral("x^2-3"));
        QWidget *image = child<QWidget>("Image1");
        QCOMPARE(image->geometry(), QRect(8, 8, 640, 441));
        QImage shown = image->grab().toImage();
        QCOMPARE(shown.size(), form_->canvas().image().size());
        QCOMPARE(AsRgb32(shown), AsRgb32(form_->canvas().image()));
    }

    void build_showsReadoutLabelsOrTheErrorLabel_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("good formula") << "x^2-3" << true;
        QTest::newRow("refused by the pair check") << "2x" << false;
        QTest::newRow("empty box, refused by the trial") << "" << false;
    }
    void build_showsReadoutLabelsOrTheErrorLabel() {
        QFETCH(QString, formula);
        QFETCH(bool, drawn);
        form_->show();
        build(formula);
        QCOMPARE(label("Label2")->isVisible(), !drawn);
        for (const char *name : {"Label3", "Label4", "Label5", "Label6"})
            QCOMPARE(label(name)->isVisible(), drawn);
        QCOMPARE(state_.GraphPresent, std::uint8_t(drawn ? 1 : 0));
    }

    void build_menuItemBuildsToo() {
        child<QLineEdit>("Edit1")->setText(QStringLiteral("x"));
        child<QAction>("N14")->trigger();
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));
    }

    void build_formulaBoxHoldsEightyCharacters() {
        auto *edit = child<QLineEdit>("Edit1");
        edit->setText(QString(100, QLatin1Char('x')));
        QCOMPARE(edit->text().size(), 80);
    }

    // ---- The general error report ----

    void errorReport_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("emptyRange");
        QTest::addColumn<QString>("message");
        QTest::newRow("malformed number")
            << "2,,5" << false << "'2,,5' is not a valid floating point value.";
        QTest::newRow("malformed number inside")
            << "x+1,2,3" << false << "'1,2,3' is not a valid floating point value.";
        QTest::newRow("empty x range") << "x" << true << "Invalid floating point operation.";
    }
    void errorReport() {
        QFETCH(QString, formula);
        QFETCH(bool, emptyRange);
        QFETCH(QString, message);
        form_->show();
        if (emptyRange)
            state_.XMin = state_.XMax = 0;
        build(formula);
        QCOMPARE(ui_->messages, QStringList{message});
        QCOMPARE(ui_->icons.value(0), QMessageBox::Critical);
        QCOMPARE(state_.GraphPresent, std::uint8_t(0));
        QVERIFY(!label("Label2")->isVisible());
        // The program goes on: the next build works.
        state_.XMin = -10;
        state_.XMax = 10;
        build(QStringLiteral("x"));
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));
        QCOMPARE(ui_->messages.size(), 1);
    }

    // ---- Coordinate read-out ----

    void readout_afterPlotFollowsTheMouse() {
        build(QStringLiteral("x^2-3"));
        moveMouse(0, 0);
        QCOMPARE(label("Label3")->text(), QStringLiteral("-10"));
        QCOMPARE(label("Label4")->text(), QStringLiteral("10"));
        moveMouse(641, 441); // the column of XMax and the row of YMin lie one past the picture
        QCOMPARE(label("Label3")->text(), QStringLiteral("10"));
        QCOMPARE(label("Label4")->text(), QStringLiteral("-10"));
        moveMouse(320, 100);
        QCOMPARE(label("Label3")->text(), QStringLiteral("-0,01"));
        QCOMPARE(label("Label4")->text(), QStringLiteral("5,46"));
    }

    void readout_cutsTwoCharactersAfterTheSeparator_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        const QChar comma(','), point('.');
        QTest::newRow("e") << comma << 2.71828182845905 << "2,71";
        QTest::newRow("small negative, cut not rounded") << comma << -0.03120124 << "-0,03";
        QTest::newRow("one digit stays") << comma << 0.5 << "0,5";
        QTest::newRow("whole number, no separator") << comma << -10.0 << "-10";
        QTest::newRow("zero") << comma << 0.0 << "0";
        QTest::newRow("below 0.0001: the exponent form cut too") << comma << 0.00001234 << "1,23";
        QTest::newRow("point locale cuts at the point") << point << 2.71828182845905 << "2.71";
        QTest::newRow("point locale, negative") << point << -0.03120124 << "-0.03";
    }
    void readout_cutsTwoCharactersAfterTheSeparator() {
        QFETCH(QChar, separator);
        QFETCH(double, value);
        QFETCH(QString, shown);
        SetLocaleDecimalSeparator(separator);
        state_.XMin = value;
        state_.YMax = value;
        state_.ReadoutXUnitsPerPixel = state_.ReadoutYUnitsPerPixel = 1;
        moveMouse(0, 0);
        QCOMPARE(label("Label3")->text(), shown);
        QCOMPARE(label("Label4")->text(), shown);
    }

    void readout_hiddenUntilAPlot() {
        form_->show();
        for (const char *name : {"Label3", "Label4", "Label5", "Label6"})
            QVERIFY(!label(name)->isVisible());
        QVERIFY(child<QWidget>("Image1")->hasMouseTracking());
    }

    // ---- Save, copy and annotation need a graph ----

    void needsGraph_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("plotThenClear");
        for (const char *command :
             {"SpeedButton1", "N2", "SpeedButton2", "N6", "SpeedButton7", "N17"}) {
            QTest::addRow("%s at start", command) << command << false;
            QTest::addRow("%s after clear", command) << command << true;
        }
    }
    void needsGraph() {
        QFETCH(QString, command);
        QFETCH(bool, plotThenClear);
        if (plotThenClear) {
            build(QStringLiteral("x"));
            form_->SpeedButton5Click();
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        runCommand(command);
        QCOMPARE(ui_->messages, QStringList{kNoGraph});
        QCOMPARE(ui_->icons.value(0), QMessageBox::NoIcon);
        QVERIFY(ui_->dialogs.isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    }

    // ---- Save ----

    void save_writesTheBitmapAndRemembersTheName() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        build(QStringLiteral("x^2-3"));
        QStringList offered;
        QFileDialog *seen = nullptr;
        ui_->onDialog = [&](QDialog &dialog) -> int {
            auto &save = dynamic_cast<QFileDialog &>(dialog);
            seen = &save;
            offered << save.selectedFiles().value(0);
            if (offered.size() == 1)
                save.selectFile(dir.filePath(QStringLiteral("graph"))); // no suffix typed
            return QDialog::Accepted;
        };
        form_->SpeedButton1Click();
        QVERIFY(seen);
        QCOMPARE(seen->windowTitle(), QStringLiteral("Сохранение графика"));
        QCOMPARE(seen->defaultSuffix(), QStringLiteral("bmp"));
        QCOMPARE(seen->nameFilters().value(0), QStringLiteral("Bitmap (*.bmp)"));
        QCOMPARE(seen->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!seen->testOption(QFileDialog::DontConfirmOverwrite));
        const QString path = dir.filePath(QStringLiteral("graph.bmp"));
        QVERIFY(QFile::exists(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("BM"));
        file.close();
        QImage written(path, "BMP");
        QCOMPARE(AsRgb32(written), AsRgb32(form_->canvas().image()));

        form_->SpeedButton1Click(); // offers the same name again and overwrites it
        QCOMPARE(offered.size(), 2);
        QCOMPARE(QFileInfo(offered.at(1)).fileName(), QStringLiteral("graph.bmp"));
        QVERIFY(ui_->messages.isEmpty());
    }

    void save_cancelledDoesNothing() {
        QTemporaryDir dir;
        build(QStringLiteral("x"));
        ui_->onDialog = [&](QDialog &dialog) {
            static_cast<QFileDialog &>(dialog).selectFile(dir.filePath(QStringLiteral("a.bmp")));
            return int(QDialog::Rejected);
        };
        form_->SpeedButton1Click();
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("a.bmp"))));
        QVERIFY(ui_->messages.isEmpty());
    }

    void save_failureKeepsTheOldFileAndSaysWhy_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing folder") << "missing";
        // A name longer than the file system takes (one at the limit is written, see the
        // writer's tests), whoever runs the test.
        QTest::newRow("name beyond the length limit") << "long";
        QTest::newRow("read-only folder") << "readonly";
    }
    void save_failureKeepsTheOldFileAndSaysWhy() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path;
        QString folder = dir.path();
        if (kind == QLatin1String("missing")) {
            path = dir.filePath(QStringLiteral("no/such/folder/graph.bmp"));
        } else if (kind == QLatin1String("long")) {
            path = dir.filePath(QString(252, QLatin1Char('g')) + QStringLiteral(".bmp"));
        } else {
            if (geteuid() == 0)
                QSKIP("the superuser writes into read-only folders");
            path = dir.filePath(QStringLiteral("graph.bmp"));
        }
        const QByteArray old("the old picture");
        const bool hasOld = kind == QLatin1String("readonly");
        if (hasOld) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        if (kind == QLatin1String("readonly"))
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);

        build(QStringLiteral("x"));
        ui_->onDialog = [&](QDialog &dialog) {
            static_cast<QFileDialog &>(dialog).selectFile(path);
            return int(QDialog::Accepted);
        };
        form_->SpeedButton1Click();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(ui_->messages.size(), 1);
        QCOMPARE(ui_->icons.value(0), QMessageBox::Critical);
        QVERIFY2(ui_->messages.at(0).contains(QFileInfo(path).fileName()),
                 qPrintable(ui_->messages.at(0)));
        const QString reason = ui_->messages.at(0).section(QLatin1Char('\n'), 1);
        QVERIFY2(!reason.trimmed().isEmpty(), qPrintable(ui_->messages.at(0)));
        if (hasOld) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
        }
    }

    // ---- Copy ----

    void copy_putsThePictureOnTheClipboard_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("button") << "SpeedButton2";
        QTest::newRow("menu") << "N6";
    }
    void copy_putsThePictureOnTheClipboard() {
        QFETCH(QString, command);
        build(QStringLiteral("x^2-3"));
        QGuiApplication::clipboard()->clear();
        runCommand(command);
        QCOMPARE(AsRgb32(QGuiApplication::clipboard()->image()), AsRgb32(form_->canvas().image()));
        QVERIFY(ui_->messages.isEmpty());
    }

    void copy_ctrlCInTheFormulaBox_data() {
        QTest::addColumn<bool>("selection");
        QTest::newRow("nothing selected: the picture") << false;
        QTest::newRow("a selection of the box: its text") << true;
    }
    void copy_ctrlCInTheFormulaBox() {
        QFETCH(bool, selection);
        QCOMPARE(child<QAction>("N6")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        build(QStringLiteral("x^2-3"));
        auto *edit = child<QLineEdit>("Edit1");
        edit->setFocus();
        if (selection)
            edit->setSelection(0, 3);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        if (selection) {
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("x^2"));
        } else {
            QCOMPARE(AsRgb32(QGuiApplication::clipboard()->image()),
                     AsRgb32(form_->canvas().image()));
        }
    }

    // ---- Clear ----

    void clear_hidesReadoutButNotTheErrorLabel_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("button") << "SpeedButton5";
        QTest::newRow("menu") << "N16";
    }
    void clear_hidesReadoutButNotTheErrorLabel() {
        QFETCH(QString, command);
        form_->show();
        build(QStringLiteral("x^2-3"));
        build(QStringLiteral("2x")); // refused: the error label shows over the old graph
        QVERIFY(label("Label2")->isVisible());
        runCommand(command);
        QVERIFY(form_->canvas().isEmpty());
        for (const char *name : {"Label3", "Label4", "Label5", "Label6"})
            QVERIFY(!label(name)->isVisible());
        QVERIFY(label("Label2")->isVisible());
        QCOMPARE(state_.GraphPresent, std::uint8_t(0));
        QCOMPARE(state_.ClearPending, std::uint8_t(1));
    }

    // ---- Help and exit ----

    void help_opensTheHelpWindow_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("button") << "SpeedButton6";
        QTest::newRow("menu") << "N10";
    }
    void help_opensTheHelpWindow() {
        QFETCH(QString, command);
        runCommand(command);
        QVERIFY(HelpWindow::instance());
        QVERIFY(HelpWindow::instance()->isVisible());
        HelpWindow::instance()->close();
    }

    void exit_closesTheMainWindow() {
        form_->show();
        child<QAction>("N4")->trigger();
        QVERIFY(!form_->isVisible());
        QVERIFY(ui_->messages.isEmpty());
    }

    // ---- Interval toggle ----

    void intervalToggle_data() {
        QTest::addColumn<int>("times");
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("once") << 1 << false;
        QTest::newRow("twice: off again") << 2 << false;
        QTest::newRow("three times") << 3 << false;
        QTest::newRow("twice through the menu item") << 2 << true;
        QTest::newRow("once through the menu item") << 1 << true;
    }
    void intervalToggle() {
        QFETCH(int, times);
        QFETCH(bool, byMenu);
        auto *item = child<QAction>("N19");
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
        for (int i = 0; i < times; ++i) {
            if (byMenu)
                item->trigger();
            else
                form_->N19Click();
        }
        const bool on = times % 2 == 1;
        QCOMPARE(item->isChecked(), on);
        QCOMPARE(state_.IntervalMode, std::uint8_t(on ? 1 : 0));
    }

    // ---- Dialog commands: a fresh dialog, destroyed after, the panel re-sized ----

    void dialogCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("resizes");
        QTest::newRow("properties") << "SpeedButton3"
                                    << "kurvanto::TForm2" << true;
        QTest::newRow("properties by menu") << "N8"
                                            << "kurvanto::TForm2" << true;
        QTest::newRow("annotation") << "SpeedButton7"
                                    << "kurvanto::TForm4" << true;
        QTest::newRow("annotation by menu") << "N17"
                                            << "kurvanto::TForm4" << true;
        QTest::newRow("interval, asked by the build") << "interval"
                                                      << "kurvanto::TForm6" << true;
        QTest::newRow("about") << "N12"
                               << "kurvanto::TForm3" << false;
    }
    void dialogCommands() {
        QFETCH(QString, command);
        QFETCH(QString, dialog);
        QFETCH(bool, resizes);
        build(QStringLiteral("x"));
        ui_->dialogs.clear();
        const QSize panelBefore = child<QFrame>("Panel1")->size();
        QPointer<QDialog> shown;
        ui_->onDialog = [&](QDialog &d) {
            shown = &d;
            if (d.parentWidget() != form_.get())
                qWarning("dialog not owned by the main window");
            state_.FieldWidth = 300;
            state_.FieldHeight = 200;
            return int(QDialog::Rejected);
        };
        if (command == QLatin1String("interval")) {
            form_->N19Click();
            build(QStringLiteral("x"));
        } else {
            runCommand(command);
        }
        QCOMPARE(ui_->dialogs, QStringList{dialog});
        QVERIFY(shown.isNull()); // destroyed when it closed
        const QSize panel = child<QFrame>("Panel1")->size();
        const QRect image = child<QWidget>("Image1")->geometry();
        if (resizes) {
            QCOMPARE(panel, QSize(316, 216));
            QCOMPARE(image, QRect(8, 8, 300, 201));
        } else {
            QCOMPARE(panel, panelBefore);
        }
        QVERIFY(ui_->messages.isEmpty());
    }

    // ---- Layout ----

    void layout_controlsCarryTheirNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("save") << "SpeedButton1"
                              << "Сохранить график на диске";
        QTest::newRow("copy") << "SpeedButton2"
                              << "Скопировать график в Clipboard";
        QTest::newRow("properties") << "SpeedButton3"
                                    << "Свойства графика";
        QTest::newRow("build") << "SpeedButton4"
                               << "Построить график";
        QTest::newRow("clear, two blanks") << "SpeedButton5"
                                           << "Очистить поле для  построения";
        QTest::newRow("help") << "SpeedButton6"
                              << "Справка";
        QTest::newRow("annotation") << "SpeedButton7"
                                    << "Усовершенствование графика";
    }
    void layout_controlsCarryTheirNames() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto *button = child<QToolButton>(name.toLatin1().constData());
        QCOMPARE(button->toolTip(), text);
        QCOMPARE(button->iconSize(), QSize(30, 30));
        QVERIFY(!button->icon().isNull());
        QVERIFY(button->autoRaise());
    }

    void layout_menuItemsInOrder() {
        const QStringList expected = {"N30", "N31", "N32", "N33", "N2",  "N26", "N3",  "N4",
                                      "N27", "N28", "N29", "N6",  "N7",  "N17", "N19", "N20",
                                      "N8",  "N21", "N22", "N23", "N24", "N25", "N40", "N14",
                                      "N15", "N16", "N10", "N11", "N12"};
        QStringList found;
        for (const char *menu : {"n1", "N5", "N18", "N13", "N9"}) {
            for (QAction *item : child<QMenu>(menu)->actions())
                found << item->objectName();
        }
        QCOMPARE(found, expected);
        QCOMPARE(child<QAction>("N16")->text(), QStringLiteral("&Очистить поле"));
        QCOMPARE(form_->windowTitle(), QStringLiteral("Kurvanto(Курванто) Версия 2.0"));
    }
};

QTEST_MAIN(TestTForm1)
#include "tst_tform1.moc"
