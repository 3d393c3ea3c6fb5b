// SPDX-License-Identifier: GPL-3.0-or-later
#include "ttimerspeedbutton.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTimer>
#include <utility>

#include "uiseam.h"

namespace kurvanto {

TTimerSpeedButton::TTimerSpeedButton(QWidget *parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setAutoRepeat(false); // the repeat below is this button's own
    connect(this, &QAbstractButton::clicked, this, &TTimerSpeedButton::ReleaseClicked);
}

void TTimerSpeedButton::setRepeatFlags(RepeatFlagSet flags) {
    if (flags == m_flags)
        return;
    m_flags = flags;
    update();
}

void TTimerSpeedButton::Click() {
    emit Clicked();
}

// The click of a release comes from inside Qt's button code, which must not be unwound by an
// exception: it is kept here and handled once the release processing is over.
void TTimerSpeedButton::ReleaseClicked() {
    try {
        Click();
    } catch (...) {
        m_releaseError = std::current_exception();
    }
}

void TTimerSpeedButton::paintEvent(QPaintEvent *event) {
    QToolButton::paintEvent(event);
    if (!(m_flags & ShowFocusFrame))
        return;
    QRect frame = rect().adjusted(3, 3, -3, -3);
    if (isDown())
        frame.translate(1, 1);
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = frame;
    option.backgroundColor = palette().color(QPalette::Button);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent *event) {
    emit MouseDown(event->button());
    QToolButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        m_holdsMouse = isDown();
    if (m_flags & AutoRepeat)
        StartRepeat();
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_holdsMouse = false;
    // The release over the button clicks it once; whatever that click throws is reported
    // here, and the repeat stops all the same.
    QToolButton::mouseReleaseEvent(event);
    StopRepeat();
    if (std::exception_ptr error = std::exchange(m_releaseError, nullptr))
        RunCommand(window(), [&error] { std::rethrow_exception(error); });
}

void TTimerSpeedButton::changeEvent(QEvent *event) {
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_holdsMouse = false;
        StopRepeat();
    }
}

void TTimerSpeedButton::hideEvent(QHideEvent *event) {
    m_holdsMouse = false;
    StopRepeat();
    QToolButton::hideEvent(event);
}

void TTimerSpeedButton::StartRepeat() {
    if (!m_repeatTimer) {
        m_repeatTimer = new QTimer(this);
        connect(m_repeatTimer, &QTimer::timeout, this, &TTimerSpeedButton::RepeatTick);
    }
    m_repeatTimer->setInterval(m_firstDelay);
    m_repeatTimer->start();
}

void TTimerSpeedButton::StopRepeat() {
    if (m_repeatTimer)
        m_repeatTimer->stop();
}

void TTimerSpeedButton::RepeatTick() {
    m_repeatTimer->setInterval(m_interval);
    if (!isDown() || !m_holdsMouse)
        return;
    RunCommand(window(), [&] {
        try {
            Click();
        } catch (...) {
            StopRepeat();
            throw;
        }
    });
}

} // namespace kurvanto
