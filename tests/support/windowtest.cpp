// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowtest.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>

#include "helpwindow.h"
#include "imagefile.h"
#include "localesep.h"

namespace kurvanto::testing {

void UseTestSettings() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QStringLiteral("Курванто"));
}

WindowTest::WindowTest(QSize screen, QChar decimalSeparator)
    : screen_(screen), separator_(decimalSeparator) {}

void WindowTest::initTestCase() {
    UseTestSettings();
    QVERIFY(settingsDir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
}

void WindowTest::init() {
    QSettings(QStringLiteral("Kurvanto"), QStringLiteral("kurvanto")).clear();
    state_ = PlotState();
    ui_ = std::make_unique<UiRecorder>();
    const QSize screen = screen_;
    form_ = std::make_unique<TForm1>(state_, [screen] { return screen; });
    if (!separator_.isNull())
        SetLocaleDecimalSeparator(separator_);
}

void WindowTest::cleanup() {
    QToolTip::hideText();
    if (HelpWindow::instance())
        HelpWindow::instance()->close();
    SetWriteFailureAfterBytes(-1);
    form_.reset();
    ui_.reset();
}

bool WindowTest::build(const QString &formula) {
    edit()->setText(formula);
    child<QToolButton>("SpeedButton4")->click();
    return state_.GraphPresent == 1;
}

bool WindowTest::showActive() {
    form_->show();
    form_->activateWindow();
    return QTest::qWaitForWindowActive(form_.get());
}

bool WindowTest::showAndBuild(const QString &formula) {
    if (!showActive())
        return false;
    edit()->setFocus();
    return build(formula);
}

void WindowTest::wheel(QPointF at, int eighths) {
    QWheelEvent event(at, image()->mapToGlobal(at), QPoint(), QPoint(0, eighths), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(image(), &event);
}

} // namespace kurvanto::testing
