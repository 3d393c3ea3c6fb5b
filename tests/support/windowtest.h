// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window under test: a fresh window, plot state and recorder of its message boxes
// and dialogs for every test function, on a screen of the given size, with settings of this
// test program alone that start empty, as on a first run, so that no other test (running at
// the same time) and no earlier run reaches them. A test class derives from it, and may add its
// own init() and cleanup() that call these first.
#include <QChar>
#include <QImage>
#include <QLineEdit>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "namedchild.h"
#include "plotstate.h"
#include "tform1.h"
#include "uirecorder.h"

namespace kurvanto::testing {

// Settings of the tests' own, under the program's name, so that no test reads the user's.
void UseTestSettings();

class WindowTest : public QObject {
    Q_OBJECT

  protected:
    // A null separator leaves the locale's own.
    explicit WindowTest(QSize screen = QSize(1280, 1024), QChar decimalSeparator = QChar());

    template <typename T> T *child(const char *name) { return NamedChild<T>(*form_, name); }
    QWidget *image() { return child<QWidget>("Image1"); }
    QLineEdit *edit() { return child<QLineEdit>("Edit1"); }
    QImage picture() const { return form_->canvas().image(); }

    // The formula put into the box and the build button clicked; true when a graph is on the
    // field afterwards.
    bool build(const QString &formula);
    // The window shown and active.
    bool showActive();
    // The window shown and active, the formula put into the box (which gets the focus) and
    // built; true when a graph is on the field.
    bool showAndBuild(const QString &formula);
    // A wheel turn of `eighths` (of a degree) over the picture at `at`.
    void wheel(QPointF at, int eighths);

    PlotState state_;
    std::unique_ptr<UiRecorder> ui_;
    std::unique_ptr<TForm1> form_;

  protected slots:
    void initTestCase();
    void init();
    void cleanup();

  private:
    QSize screen_;
    QChar separator_;
    QTemporaryDir settingsDir_;
};

} // namespace kurvanto::testing
