// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The up/down button pair: two auto-repeating halves stacked one above the other. A click of
// the upper half raises OnUpClick, one of the lower half OnDownClick.
#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace kurvanto {

class TTimerSpeedButton;

class TSpinButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap UpGlyph READ UpGlyph WRITE setUpGlyph)
    Q_PROPERTY(QPixmap DownGlyph READ DownGlyph WRITE setDownGlyph)
    Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)

  public:
    static constexpr int kMinimumWidth = 15;

    explicit TSpinButton(QWidget *parent = nullptr);

    TTimerSpeedButton *UpButton() const { return m_upButton; }
    TTimerSpeedButton *DownButton() const { return m_downButton; }
    TTimerSpeedButton *FocusedButton() const { return m_focusedButton; }
    void SetFocusedButton(TTimerSpeedButton *button);

    // The control that takes the focus when a half is pressed.
    QWidget *FocusControl() const { return m_focusControl; }
    void setFocusControl(QWidget *control) { m_focusControl = control; }

    // A null pixmap brings back the default triangle.
    QPixmap UpGlyph() const;
    void setUpGlyph(const QPixmap &glyph);
    QPixmap DownGlyph() const;
    void setDownGlyph(const QPixmap &glyph);

    // Whether the pair itself may hold the focus (off by default).
    bool TabStop() const { return m_tabStop; }
    void setTabStop(bool on);

    // Both halves' repeat timing (ms); tests run it short.
    void setRepeatTiming(int firstDelay, int interval);

    // Adjusts a requested size to the halves (width at least 15) and places them: the upper
    // half gets h / 2 rows, the lower one the rest plus one row of overlap.
    void FitButtons(int &width, int &height);

  signals:
    void OnUpClick();
    void OnDownClick();

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

  private:
    TTimerSpeedButton *CreateHalf();
    void SetGlyph(TTimerSpeedButton *half, QPixmap &store, const QPixmap &glyph,
                  const char *resource);
    void RouteClick(TTimerSpeedButton *half);
    void PressHalf(TTimerSpeedButton *half, Qt::MouseButton button);
    bool CanTakeFocus(const QWidget *widget) const;
    void ShowFocusFrame(bool on);

    TTimerSpeedButton *m_upButton = nullptr;
    TTimerSpeedButton *m_downButton = nullptr;
    TTimerSpeedButton *m_focusedButton = nullptr;
    QPointer<QWidget> m_focusControl;
    QPixmap m_upGlyph;
    QPixmap m_downGlyph;
    bool m_tabStop = false;
};

} // namespace kurvanto
