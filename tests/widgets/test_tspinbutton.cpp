// SPDX-License-Identifier: GPL-3.0-or-later
// The up/down button pair: its glyphs, the layout of its halves, the click routing, the
// keyboard and the auto-repeat of a held half.
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "spinglyphs.h"
#include "tspinbutton.h"
#include "ttimerspeedbutton.h"
#include "uiseam.h"

using kurvanto::TSpinButton;
using kurvanto::TTimerSpeedButton;

namespace {

constexpr int kFirstDelay = 60;
constexpr int kInterval = 15;

void SendMouse(QWidget *widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void Press(QWidget *w, Qt::MouseButton b = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonPress, w->rect().center(), b, b);
}
void MoveTo(QWidget *w, QPoint pos) {
    SendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
}
void Release(QWidget *w, QPoint pos, Qt::MouseButton b = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonRelease, pos, b, Qt::NoButton);
}

bool TimerRunning(const TTimerSpeedButton *half) {
    return half->RepeatTimer() && half->RepeatTimer()->isActive();
}

} // namespace

class TestSpinButton : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void glyphs_data();
    void glyphs();
    void userGlyphKeepsItsTransparentColour();
    void construction();
    void fitButtons_data();
    void fitButtons();
    void clickRouting();
    void holdRepeatsUntilRelease();
    void repeatMovesFromFirstDelayToInterval();
    void releaseOutsideEndsWithoutClick();
    void ticksOutsideWaitForThePointer();
    void otherButtonStartsTimerButNeverClicks();
    void errorInHandlerStopsRepeat();
    void disabledHalfDoesNothing();
    void keyboard();
    void focusFrameOnlyWithTabStop();

  private:
    TSpinButton *m_pair = nullptr;
    QWidget *m_window = nullptr;
    QStringList m_messages;
};

void TestSpinButton::init() {
    m_messages.clear();
    kurvanto::SetMessageHook(
        [this](const QString &text, QMessageBox::Icon) { m_messages << text; });
    m_window = new QWidget;
    m_window->resize(100, 60);
    m_pair = new TSpinButton(m_window);
    m_pair->setObjectName(QStringLiteral("SpinButton1"));
    m_pair->setRepeatTiming(kFirstDelay, kInterval);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestSpinButton::cleanup() {
    delete m_window;
    kurvanto::SetMessageHook(nullptr);
}

void TestSpinButton::glyphs_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("SpinUp") << "SpinUp" << QStringList{".........", "....#....", "...###...",
                                                       "..#####..", ".#######.", "........."};
    QTest::newRow("SpinDown") << "SpinDown" << QStringList{".........", ".#######.", "..#####..",
                                                           "...###...", "....#....", "........."};
}

// Pixel for pixel as drawn: black triangle on olive, the olive transparent when shown.
void TestSpinButton::glyphs() {
    QFETCH(QString, name);
    QFETCH(QStringList, rows);
    const QImage stored = kurvanto::GlyphResource(name.toLatin1().constData());
    QCOMPARE(stored.size(), QSize(9, 6));
    const QImage shown = kurvanto::TransparentGlyph(stored).toImage();
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 9; ++x) {
            const bool black = rows[y][x] == QLatin1Char('#');
            QCOMPARE(stored.pixelColor(x, y), black ? QColor(0, 0, 0) : QColor(128, 128, 0));
            QCOMPARE(qAlpha(shown.pixel(x, y)), black ? 255 : 0);
        }
    }
}

void TestSpinButton::userGlyphKeepsItsTransparentColour() {
    QImage glyph(4, 3, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 0));
    glyph.setPixelColor(0, 2, QColor(0, 0, 255)); // bottom-left: the transparent colour
    glyph.setPixelColor(3, 0, QColor(0, 0, 255));
    m_pair->setUpGlyph(QPixmap::fromImage(glyph));
    QCOMPARE(m_pair->UpGlyph().toImage().pixelColor(3, 0), QColor(0, 0, 255));
    const QImage shown = kurvanto::TransparentGlyph(glyph).toImage();
    QCOMPARE(qAlpha(shown.pixel(3, 0)), 0);
    QCOMPARE(qAlpha(shown.pixel(1, 1)), 255);
    m_pair->setUpGlyph(QPixmap()); // back to the triangle
    QCOMPARE(m_pair->UpGlyph().size(), QSize(9, 6));
}

void TestSpinButton::construction() {
    TSpinButton pair;
    QCOMPARE(pair.size(), QSize(20, 25));
    QCOMPARE(pair.FocusedButton(), pair.UpButton());
    QVERIFY(!pair.TabStop());
    QCOMPARE(pair.focusPolicy(), Qt::NoFocus);
    for (const TTimerSpeedButton *half : {pair.UpButton(), pair.DownButton()}) {
        QCOMPARE(half->RepeatFlags(),
                 TTimerSpeedButton::RepeatFlagSet(TTimerSpeedButton::AutoRepeat));
        QVERIFY(!half->RepeatTimer());
        QVERIFY(!half->autoRepeat());
        QCOMPARE(half->FirstRepeatDelay(), 400);
        QCOMPARE(half->RepeatInterval(), 100);
    }
}

void TestSpinButton::fitButtons_data() {
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QRect>("up");
    QTest::addColumn<QRect>("down");
    // the halves share one row
    QTest::newRow("height 17") << QSize(15, 17) << QRect(0, 0, 15, 8) << QRect(0, 7, 15, 10);
    QTest::newRow("height 25") << QSize(20, 25) << QRect(0, 0, 20, 12) << QRect(0, 11, 20, 14);
    QTest::newRow("width 10") << QSize(10, 25) << QRect(0, 0, 15, 12) << QRect(0, 11, 15, 14);
    QTest::newRow("height 1") << QSize(15, 1) << QRect(0, 0, 15, 0) << QRect(0, -1, 15, 2);
}

void TestSpinButton::fitButtons() {
    QFETCH(QSize, requested);
    QFETCH(QRect, up);
    QFETCH(QRect, down);
    m_pair->resize(requested);
    QCOMPARE(m_pair->width(), std::max(15, requested.width()));
    QCOMPARE(m_pair->UpButton()->geometry(), up);
    QCOMPARE(m_pair->DownButton()->geometry(), down);
}

void TestSpinButton::clickRouting() {
    QSignalSpy up(m_pair, &TSpinButton::OnUpClick);
    QSignalSpy down(m_pair, &TSpinButton::OnDownClick);
    QTest::mouseClick(m_pair->UpButton(), Qt::LeftButton);
    QTest::mouseClick(m_pair->DownButton(), Qt::LeftButton);
    QTest::mouseClick(m_pair->DownButton(), Qt::LeftButton);
    QCOMPARE(up.count(), 1);
    QCOMPARE(down.count(), 2);
}

// One click at each tick while held, one more at the release over the half.
void TestSpinButton::holdRepeatsUntilRelease() {
    TTimerSpeedButton *half = m_pair->UpButton();
    QSignalSpy up(m_pair, &TSpinButton::OnUpClick);
    Press(half);
    QVERIFY(half->isDown());
    QCOMPARE(up.count(), 0);
    QTRY_VERIFY(up.count() >= 3);
    Release(half, half->rect().center());
    const int afterRelease = up.count();
    QVERIFY(!TimerRunning(half));
    QTest::qWait(4 * kInterval);
    QCOMPARE(up.count(), afterRelease);
    // a short click gives exactly one click
    Press(half);
    Release(half, half->rect().center());
    QCOMPARE(up.count(), afterRelease + 1);
}

// The first repeat waits the first delay, every later one the repeat interval, and each new
// press waits the first delay again. The interval is made long here so that no second
// repeat can come while the test looks.
void TestSpinButton::repeatMovesFromFirstDelayToInterval() {
    constexpr int kShortFirst = 30, kLongInterval = 60000;
    m_pair->setRepeatTiming(kShortFirst, kLongInterval);
    TTimerSpeedButton *half = m_pair->UpButton();
    QSignalSpy up(m_pair, &TSpinButton::OnUpClick);
    for (int press = 1; press <= 2; ++press) {
        Press(half);
        QVERIFY(TimerRunning(half));
        QCOMPARE(half->RepeatTimer()->interval(), kShortFirst);
        QTRY_COMPARE(up.count(), 2 * press - 1); // the first repeat
        QCOMPARE(half->RepeatTimer()->interval(), kLongInterval);
        QVERIFY(half->RepeatTimer()->remainingTime() > kLongInterval / 2);
        QTest::qWait(5 * kShortFirst);
        QCOMPARE(up.count(), 2 * press - 1);
        Release(half, half->rect().center()); // one more click
        QCOMPARE(up.count(), 2 * press);
        QVERIFY(!TimerRunning(half));
    }
}

void TestSpinButton::releaseOutsideEndsWithoutClick() {
    TTimerSpeedButton *half = m_pair->DownButton();
    QSignalSpy down(m_pair, &TSpinButton::OnDownClick);
    Press(half);
    QTRY_VERIFY(down.count() >= 2);
    const QPoint outside(half->width() + 30, half->height() + 30);
    MoveTo(half, outside);
    const int before = down.count();
    Release(half, outside);
    QVERIFY(!TimerRunning(half));
    QTest::qWait(4 * kInterval);
    QCOMPARE(down.count(), before);
}

void TestSpinButton::ticksOutsideWaitForThePointer() {
    TTimerSpeedButton *half = m_pair->UpButton();
    QSignalSpy up(m_pair, &TSpinButton::OnUpClick);
    Press(half);
    QTRY_VERIFY(up.count() >= 1);
    MoveTo(half, QPoint(-20, -20));
    QVERIFY(!half->isDown());
    const int outside = up.count();
    QTest::qWait(5 * kInterval);
    QCOMPARE(up.count(), outside);
    QVERIFY(TimerRunning(half));
    MoveTo(half, half->rect().center());
    QTRY_VERIFY(up.count() > outside);
    Release(half, half->rect().center());
}

void TestSpinButton::otherButtonStartsTimerButNeverClicks() {
    TTimerSpeedButton *half = m_pair->UpButton();
    QSignalSpy up(m_pair, &TSpinButton::OnUpClick);
    Press(half, Qt::RightButton);
    QVERIFY(TimerRunning(half));
    QTest::qWait(kFirstDelay + 4 * kInterval);
    Release(half, half->rect().center(), Qt::RightButton);
    QVERIFY(!TimerRunning(half));
    QCOMPARE(up.count(), 0);
}

// The handler fails at the second repeat: the error is reported once and the repeat stops;
// the release over the half still clicks (and fails again).
void TestSpinButton::errorInHandlerStopsRepeat() {
    TTimerSpeedButton *half = m_pair->UpButton();
    int calls = 0;
    connect(m_pair, &TSpinButton::OnUpClick, this, [&calls] {
        if (++calls >= 2)
            throw std::runtime_error("Не удалось");
    });
    Press(half);
    QTRY_COMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first(), QStringLiteral("Не удалось."));
    QVERIFY(!TimerRunning(half));
    QTest::qWait(5 * kInterval);
    QCOMPARE(calls, 2);
    Release(half, half->rect().center());
    QCOMPARE(calls, 3);
    QCOMPARE(m_messages.size(), 2);
}

void TestSpinButton::disabledHalfDoesNothing() {
    QSignalSpy up(m_pair, &TSpinButton::OnUpClick);
    m_pair->setEnabled(false);
    QTest::mousePress(m_pair->UpButton(), Qt::LeftButton);
    QVERIFY(!m_pair->UpButton()->isDown());
    QVERIFY(!TimerRunning(m_pair->UpButton()));
    QTest::mouseRelease(m_pair->UpButton(), Qt::LeftButton);
    QCOMPARE(up.count(), 0);
}

void TestSpinButton::keyboard() {
    m_pair->setTabStop(true);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_pair->setFocus(Qt::TabFocusReason);
    QVERIFY(m_pair->hasFocus());
    QSignalSpy up(m_pair, &TSpinButton::OnUpClick);
    QSignalSpy down(m_pair, &TSpinButton::OnDownClick);
    QTest::keyClick(m_pair, Qt::Key_Space); // the focused half after construction: up
    QTest::keyClick(m_pair, Qt::Key_Down);
    QCOMPARE(m_pair->FocusedButton(), m_pair->DownButton());
    QTest::keyClick(m_pair, Qt::Key_Space);
    QTest::keyClick(m_pair, Qt::Key_A); // nothing
    QTest::keyClick(m_pair, Qt::Key_Up);
    QCOMPARE(m_pair->FocusedButton(), m_pair->UpButton());
    QCOMPARE(up.count(), 2);
    QCOMPARE(down.count(), 2);
}

void TestSpinButton::focusFrameOnlyWithTabStop() {
    const auto frame = [](const TTimerSpeedButton *half) {
        return bool(half->RepeatFlags() & TTimerSpeedButton::ShowFocusFrame);
    };
    // without a tab stop, pressing a half never moves the focused half
    Press(m_pair->DownButton());
    Release(m_pair->DownButton(), QPoint(-5, -5));
    QCOMPARE(m_pair->FocusedButton(), m_pair->UpButton());
    QVERIFY(!m_pair->hasFocus());

    m_pair->setTabStop(true);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    Press(m_pair->DownButton()); // takes the focus and the frame moves to the pressed half
    Release(m_pair->DownButton(), QPoint(-5, -5));
    QVERIFY(m_pair->hasFocus());
    QCOMPARE(m_pair->FocusedButton(), m_pair->DownButton());
    QVERIFY(frame(m_pair->DownButton()));
    QVERIFY(!frame(m_pair->UpButton()));
    m_pair->clearFocus();
    QVERIFY(!frame(m_pair->DownButton()));
}

QTEST_MAIN(TestSpinButton)
#include "test_tspinbutton.moc"
