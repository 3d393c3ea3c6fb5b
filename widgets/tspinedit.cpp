// SPDX-License-Identifier: GPL-3.0-or-later
#include "tspinedit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <memory>

#include "beep.h"
#include "errors.h"
#include "generalformat.h"
#include "localesep.h"
#include "tspinbutton.h"
#include "ttimerspeedbutton.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

constexpr int kButtonWidth = 15;
constexpr int kButtonHeight = 17;
constexpr int kBorderHeight = 1; // the platform's thin window border
constexpr ushort kBackspace = 8;
constexpr ushort kCarriageReturn = 13;
constexpr int kEditTextMargin = 2; // the edit's own room between its contents and its text

// The button pair's inset inside a sunken frame, counted from the outer edge: two pixels of
// frame and one of clearance on the right and at the bottom, whatever width of frame the style
// draws.
constexpr int kButtonInsetLeftOfRight = 3;
constexpr int kButtonInsetTop = 2;
constexpr int kButtonInsetHeight = 5;

char Separator() {
    return LocaleDecimalSeparator().toLatin1();
}

bool IsDecimalKey(QChar c) {
    return c == QLatin1Char(',') || c == QLatin1Char('.');
}

// Either decimal key means the decimal separator: whatever enters the text (typing, paste,
// drop, an input method) has its commas and points turned into the locale's separator. The
// edit runs this on every change, so the text always carries the locale's separator.
class SeparatorValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override {
        const QChar separator = LocaleDecimalSeparator();
        for (QChar &c : input) {
            if (IsDecimalKey(c))
                c = separator;
        }
        return Acceptable;
    }
};

} // namespace

TSpinEdit::TSpinEdit(QWidget *parent) : QLineEdit(parent) {
    m_button = new TSpinButton(this);
    m_button->setObjectName(QStringLiteral("Button"));
    m_button->setCursor(Qt::ArrowCursor);
    m_button->resize(kButtonWidth, kButtonHeight);
    m_button->setVisible(true);
    m_button->setFocusControl(this);
    connect(m_button, &TSpinButton::OnUpClick, this, &TSpinEdit::StepUp);
    connect(m_button, &TSpinButton::OnDownClick, this, &TSpinEdit::StepDown);
    for (TTimerSpeedButton *half : {m_button->UpButton(), m_button->DownButton()})
        connect(half, &TTimerSpeedButton::MouseDown, this, &TSpinEdit::ButtonPressed);
    connect(this, &QLineEdit::textChanged, this, &TSpinEdit::TextChanged);
    connect(this, &QLineEdit::textChanged, this, &TSpinEdit::UpdateToolTip);
    setValidator(new SeparatorValidator(this));
    setText(QStringLiteral("0"));
}

TSpinEdit::~TSpinEdit() = default;

long double TSpinEdit::Value() const {
    long double value = 0;
    if (!ParseReal(text().toStdString(), Separator(), value))
        return m_minValue;
    return static_cast<double>(value); // ParseReal keeps to the double range
}

void TSpinEdit::setValue(long double value) {
    if (std::isfinite(value) && !FitsDouble(value))
        throw FloatOverflow();
    const double limited = LimitToBounds(static_cast<double>(value));
    const QString formatted = QString::fromStdString(FormatGeneral(limited, Separator()));
    if (formatted == text())
        return;
    {
        const QScopedValueRollback<bool> settingText(m_settingText, true);
        setText(formatted);
        ShowFromStart();
    }
    emit OnChange();
}

// Changes made inside Qt's edit code (typing, cut, paste) are announced from here; what a
// handler throws is reported at once instead of unwinding Qt's code. An assignment of Value
// announces its change itself, so that its caller sees what a handler throws.
void TSpinEdit::TextChanged() {
    if (m_settingText)
        return;
    RunCommand(window(), [this] { emit OnChange(); });
}

double TSpinEdit::LimitToBounds(double value) const {
    if (m_maxValue == m_minValue)
        return value;
    if (value < m_minValue)
        return m_minValue;
    if (value > m_maxValue)
        return m_maxValue;
    return value;
}

void TSpinEdit::StepUp() {
    Step(m_increment);
}

void TSpinEdit::StepDown() {
    Step(-static_cast<long double>(m_increment));
}

// The sum is formed at extended precision from the text's value, then rounded to double by
// the assignment, so what is shown never carries an accumulated rounding error.
void TSpinEdit::Step(long double delta) {
    if (isReadOnly()) {
        Beep();
        return;
    }
    setValue(Value() + delta);
}

// Both the comma and the point stand for the decimal separator (the validator writes the
// locale's), so that either keyboard habit works in either locale.
bool TSpinEdit::AcceptsChar(QChar c) const {
    const ushort code = c.unicode();
    if (!m_editorEnabled && (code >= 32 || code == kBackspace))
        return false;
    if (code < 32)
        return code != kCarriageReturn;
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
           c == QLatin1Char('-') || IsDecimalKey(c) || c == LocaleDecimalSeparator();
}

// The text is shown from its first character (a sign or the leading digits matter most in a
// narrow box), with nothing selected.
void TSpinEdit::ShowFromStart() {
    setCursorPosition(0);
}

// The characters a key stands for, as the typing filter sees them: the deleting keys count
// as backspace, Enter as carriage return, Ctrl+letter as its control character; keys that
// type nothing (arrows, Home, F-keys) pass.
bool TSpinEdit::KeyPassesFilter(const QKeyEvent *event) const {
    const int key = event->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
        return AcceptsChar(QChar(kBackspace));
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return AcceptsChar(QChar(kCarriageReturn));
    if (event->modifiers() & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return AcceptsChar(QChar(static_cast<ushort>(key - Qt::Key_A + 1)));
        return true;
    }
    const QString typed = event->text();
    return std::all_of(typed.begin(), typed.end(), [this](QChar c) { return AcceptsChar(c); });
}

void TSpinEdit::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        RunCommand(window(), [&] { event->key() == Qt::Key_Up ? StepUp() : StepDown(); });
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    if ((event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) &&
        !EditingAllowed()) {
        event->accept();
        return;
    }
    if (!KeyPassesFilter(event)) {
        Beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TSpinEdit::inputMethodEvent(QInputMethodEvent *event) {
    const QString typed = event->commitString();
    if (std::all_of(typed.begin(), typed.end(), [this](QChar c) { return AcceptsChar(c); })) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    Beep();
    QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&withoutCommit);
}

// Qt hands the focus to the field with the mouse reason also when the press is on the
// button, whose halves take no focus; so whether it was a left press on the field itself is
// known only when the press arrives.
void TSpinEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    m_pressPending = event->reason() == Qt::MouseFocusReason;
    if (m_autoSelect && !m_pressPending)
        SelectAllFromStart();
}

// The whole text selected with the cursor at its start, so that a long value is seen from its
// beginning while selected.
void TSpinEdit::SelectAllFromStart() {
    setSelection(static_cast<int>(text().size()), -static_cast<int>(text().size()));
}

void TSpinEdit::mousePressEvent(QMouseEvent *event) {
    const bool select = m_pressPending && event->button() != Qt::LeftButton;
    m_pressPending = false;
    QLineEdit::mousePressEvent(event);
    if (select && m_autoSelect)
        SelectAllFromStart();
}

void TSpinEdit::ButtonPressed() {
    if (m_pressPending && m_autoSelect)
        SelectAllFromStart();
    m_pressPending = false;
}

void TSpinEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    // A menu opened over the field (its context menu) leaves the editing as it is.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    // Switching to another window is no exit from the field: nothing is limited then, but the
    // value is shown from its start all the same (coming back selects the whole text anyway).
    if (event->reason() != Qt::ActiveWindowFocusReason) {
        RunCommand(window(), [this] {
            const long double value = Value();
            if (LimitToBounds(static_cast<double>(value)) != value)
                setValue(value);
        });
    }
    ShowFromStart();
}

int TSpinEdit::MinimumHeight() const {
    const int h = fontMetrics().height();
    const int hs = QFontMetrics(QApplication::font()).height();
    return h + std::min(hs, h) / 4 + 4 * kBorderHeight + 2;
}

void TSpinEdit::resizeEvent(QResizeEvent *event) {
    QLineEdit::resizeEvent(event);
    const int minimum = MinimumHeight();
    if (height() < minimum)
        resize(width(), minimum);
    PlaceButton();
}

// With a sunken frame the button sits inside a frame counted as 2 pixels wide, one pixel clear
// of its right and bottom sides: left = width - button width - 3, top 2, height = height - 5
// (15 x 21 at 39, 2 in a 57 x 26 box), also where the style draws a thinner frame. Without a
// frame it takes the right edge. The text area ends where the button begins.
void TSpinEdit::PlaceButton() {
    const int w = m_button->width();
    if (hasFrame()) {
        m_button->setGeometry(width() - w - kButtonInsetLeftOfRight, kButtonInsetTop, w,
                              height() - kButtonInsetHeight);
    } else {
        m_button->setGeometry(width() - w, 0, w, height());
    }
    // The edit's contents, less its own margin of 2 on each side, less the text margins.
    const int contentsRight = ContentsRect().right() - kEditTextMargin;
    setTextMargins(0, 0, std::max(0, contentsRight - (m_button->x() - 1)), 0);
    UpdateToolTip();
}

QRect TSpinEdit::ContentsRect() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

int TSpinEdit::TextAreaWidth() const {
    const QMargins margins = textMargins();
    return ContentsRect().width() - margins.left() - margins.right() - 2 * kEditTextMargin;
}

// A text longer than the box shows its start (ShowFromStart); the tool tip shows it whole.
void TSpinEdit::UpdateToolTip() {
    // The edit keeps a pixel after the text for the cursor; a text needing more scrolls.
    const bool cut = fontMetrics().horizontalAdvance(text()) + 1 > TextAreaWidth();
    setToolTip(cut ? text() : QString());
}

void TSpinEdit::contextMenuEvent(QContextMenuEvent *event) {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (!EditingAllowed()) {
        for (QAction *action : menu->actions()) {
            const QString name = action->objectName();
            if (name == QLatin1String("edit-cut") || name == QLatin1String("edit-paste") ||
                name == QLatin1String("edit-delete") || name == QLatin1String("edit-undo") ||
                name == QLatin1String("edit-redo"))
                action->setEnabled(false);
        }
    }
    menu->exec(event->globalPos());
}

// The middle button pastes the selection on X11: a paste like any other.
void TSpinEdit::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::MiddleButton && !EditingAllowed()) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TSpinEdit::dragEnterEvent(QDragEnterEvent *event) {
    if (!EditingAllowed()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void TSpinEdit::dropEvent(QDropEvent *event) {
    if (!EditingAllowed()) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

} // namespace kurvanto
