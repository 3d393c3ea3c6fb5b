// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A flat push button with a glyph that repeats its click while it is held down, and that can
// draw a focus frame inside itself. The repeat is this button's own: the first repeat comes
// after FirstRepeatDelay, the next ones every RepeatInterval, each while the button shows the
// pressed state and holds the mouse.
#include <QFlags>
#include <QToolButton>
#include <exception>

class QTimer;

namespace kurvanto {

class TTimerSpeedButton : public QToolButton {
    Q_OBJECT

  public:
    enum RepeatFlag { ShowFocusFrame = 0x1, AutoRepeat = 0x2 };
    Q_DECLARE_FLAGS(RepeatFlagSet, RepeatFlag)

    static constexpr int kFirstRepeatDelay = 400; // ms from the press to the first repeat
    static constexpr int kRepeatInterval = 100;   // ms between the following repeats

    explicit TTimerSpeedButton(QWidget *parent = nullptr);

    RepeatFlagSet RepeatFlags() const { return m_flags; }
    void setRepeatFlags(RepeatFlagSet flags);

    // The repeat timer; null until the first press that needs it.
    QTimer *RepeatTimer() const { return m_repeatTimer; }

    int FirstRepeatDelay() const { return m_firstDelay; }
    void setFirstRepeatDelay(int ms) { m_firstDelay = ms; }
    int RepeatInterval() const { return m_interval; }
    void setRepeatInterval(int ms) { m_interval = ms; }

    // One click, as from the mouse: emits Clicked() without touching the pressed state.
    // Whatever a handler throws comes back to the caller.
    void Click();

  signals:
    // A click by the mouse, the repeat or the keyboard. Connect to this rather than to
    // clicked(): a handler's exception reaches the caller of Click() and never passes
    // through Qt's own button code.
    void Clicked();
    // Raised for every mouse press on the button, before it turns pressed.
    void MouseDown(Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

  private:
    void StartRepeat();
    void StopRepeat();
    void RepeatTick();
    void ReleaseClicked();

    RepeatFlagSet m_flags = AutoRepeat;
    QTimer *m_repeatTimer = nullptr;
    int m_firstDelay = kFirstRepeatDelay;
    int m_interval = kRepeatInterval;
    bool m_holdsMouse = false;         // a left press went to this button and was not yet released
    std::exception_ptr m_releaseError; // what the click at the release threw
};

} // namespace kurvanto

Q_DECLARE_OPERATORS_FOR_FLAGS(kurvanto::TTimerSpeedButton::RepeatFlagSet)
