// SPDX-License-Identifier: GPL-3.0-or-later
#include "tspinbutton.h"

#include <QKeyEvent>
#include <QResizeEvent>

#include "spinglyphs.h"
#include "ttimerspeedbutton.h"
#include "uiseam.h"

namespace kurvanto {

namespace {
constexpr int kGlyphWidth = 9;
constexpr int kGlyphHeight = 6;
} // namespace

TSpinButton::TSpinButton(QWidget *parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setMinimumWidth(kMinimumWidth);
    m_upButton = CreateHalf();
    m_upButton->setObjectName(QStringLiteral("UpButton"));
    m_upButton->setAccessibleName(QStringLiteral("Больше"));
    m_downButton = CreateHalf();
    m_downButton->setObjectName(QStringLiteral("DownButton"));
    m_downButton->setAccessibleName(QStringLiteral("Меньше"));
    setUpGlyph(QPixmap());
    setDownGlyph(QPixmap());
    resize(20, 25);
    m_focusedButton = m_upButton;
}

TTimerSpeedButton *TSpinButton::CreateHalf() {
    auto *half = new TTimerSpeedButton(this);
    connect(half, &TTimerSpeedButton::Clicked, this, [this, half] { RouteClick(half); });
    connect(half, &TTimerSpeedButton::MouseDown, this,
            [this, half](Qt::MouseButton button) { PressHalf(half, button); });
    half->setRepeatFlags(TTimerSpeedButton::AutoRepeat);
    half->setIconSize(QSize(kGlyphWidth, kGlyphHeight));
    half->setVisible(true);
    half->setEnabled(true);
    return half;
}

QPixmap TSpinButton::UpGlyph() const {
    return m_upGlyph;
}

void TSpinButton::setUpGlyph(const QPixmap &glyph) {
    SetGlyph(m_upButton, m_upGlyph, glyph, "SpinUp");
}

QPixmap TSpinButton::DownGlyph() const {
    return m_downGlyph;
}

void TSpinButton::setDownGlyph(const QPixmap &glyph) {
    SetGlyph(m_downButton, m_downGlyph, glyph, "SpinDown");
}

// The half shows the glyph with its bottom-left colour transparent; Qt draws the disabled
// and pressed looks from that one image.
void TSpinButton::SetGlyph(TTimerSpeedButton *half, QPixmap &store, const QPixmap &glyph,
                           const char *resource) {
    store = glyph.isNull() ? QPixmap::fromImage(GlyphResource(resource)) : glyph.copy();
    const QPixmap pixmap = TransparentGlyph(store.toImage());
    half->setIconSize(pixmap.size());
    half->setIcon(QIcon(pixmap));
    half->update();
}

void TSpinButton::setTabStop(bool on) {
    m_tabStop = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void TSpinButton::setRepeatTiming(int firstDelay, int interval) {
    for (TTimerSpeedButton *half : {m_upButton, m_downButton}) {
        half->setFirstRepeatDelay(firstDelay);
        half->setRepeatInterval(interval);
    }
}

void TSpinButton::FitButtons(int &width, int &height) {
    if (!m_upButton || !m_downButton)
        return;
    if (width < kMinimumWidth)
        width = kMinimumWidth;
    m_upButton->setGeometry(0, 0, width, height / 2);
    const int up = m_upButton->height();
    m_downButton->setGeometry(0, up - 1, width, height - up + 1);
}

void TSpinButton::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    int w = width();
    int h = height();
    FitButtons(w, h);
    if (w != width() || h != height())
        resize(w, h);
}

bool TSpinButton::CanTakeFocus(const QWidget *widget) const {
    return widget->isEnabled() && widget->isVisible() && widget->focusPolicy() != Qt::NoFocus;
}

void TSpinButton::SetFocusedButton(TTimerSpeedButton *button) {
    if (!m_tabStop || !CanTakeFocus(this) || button == m_focusedButton)
        return;
    m_focusedButton->setRepeatFlags(m_focusedButton->RepeatFlags() &
                                    ~TTimerSpeedButton::ShowFocusFrame);
    m_focusedButton = button;
    if (hasFocus()) {
        button->setRepeatFlags(button->RepeatFlags() | TTimerSpeedButton::ShowFocusFrame);
        update();
    }
}

void TSpinButton::ShowFocusFrame(bool on) {
    auto flags = m_focusedButton->RepeatFlags();
    if (on)
        flags |= TTimerSpeedButton::ShowFocusFrame;
    else
        flags &= ~TTimerSpeedButton::ShowFocusFrame;
    m_focusedButton->setRepeatFlags(flags);
    m_focusedButton->update();
}

void TSpinButton::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    ShowFocusFrame(true);
}

void TSpinButton::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    ShowFocusFrame(false);
}

void TSpinButton::RouteClick(TTimerSpeedButton *half) {
    if (half == m_upButton)
        emit OnUpClick();
    else
        emit OnDownClick();
}

void TSpinButton::PressHalf(TTimerSpeedButton *half, Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    SetFocusedButton(half);
    QWidget *control = m_focusControl;
    if (control && control->focusPolicy() & Qt::TabFocus && CanTakeFocus(control) &&
        !control->hasFocus()) {
        control->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_tabStop && !hasFocus() && CanTakeFocus(this))
        setFocus(Qt::OtherFocusReason);
}

void TSpinButton::keyPressEvent(QKeyEvent *event) {
    TTimerSpeedButton *target = nullptr;
    switch (event->key()) {
    case Qt::Key_Space:
        target = m_focusedButton;
        break;
    case Qt::Key_Up:
        SetFocusedButton(m_upButton);
        target = m_upButton;
        break;
    case Qt::Key_Down:
        SetFocusedButton(m_downButton);
        target = m_downButton;
        break;
    default:
        event->ignore();
        return;
    }
    RunCommand(window(), [target] { target->Click(); });
}

} // namespace kurvanto
