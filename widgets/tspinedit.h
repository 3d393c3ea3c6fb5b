// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real-valued number field: a one-line edit with an up/down button pair at its right
// edge. The text is the only store of the value: Value() reads it every time, setValue()
// limits the number to the bounds and rewrites the text in the general format.
#include <QLineEdit>

namespace kurvanto {

class TSpinButton;

class TSpinEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ ValueAsDouble WRITE setValueAsDouble NOTIFY OnChange)
    Q_PROPERTY(double MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(double Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE setEditorEnabled)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)

  public:
    explicit TSpinEdit(QWidget *parent = nullptr);
    ~TSpinEdit() override;

    // The text read as a number (a double's value), MinValue when it is not one. Not limited
    // to the bounds.
    long double Value() const;
    // Limits to the bounds, formats, and sets the text only when it differs. A value too
    // large for a double raises FloatOverflow (engine/errors.h).
    void setValue(long double value);
    double ValueAsDouble() const { return static_cast<double>(Value()); }
    void setValueAsDouble(double value) { setValue(value); }

    // Plain stored properties: a new bound takes effect at the next assignment, step or exit.
    // Equal bounds (0 and 0 in a new control) mean no bounds at all.
    double MinValue() const { return m_minValue; }
    void setMinValue(double value) { m_minValue = value; }
    double MaxValue() const { return m_maxValue; }
    void setMaxValue(double value) { m_maxValue = value; }
    double Increment() const { return m_increment; }
    void setIncrement(double value) { m_increment = value; }
    bool EditorEnabled() const { return m_editorEnabled; }
    void setEditorEnabled(bool on) { m_editorEnabled = on; }
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }

    double LimitToBounds(double value) const;

    // One step by Increment (a beep and nothing else while read-only). A result too large
    // for a double raises FloatOverflow.
    virtual void StepUp();
    virtual void StepDown();
    // The typing filter for one character: digits, signs, and the comma and the point, either
    // of which goes in as the locale's decimal separator.
    virtual bool AcceptsChar(QChar c) const;

    TSpinButton *Button() const { return m_button; }
    // The smallest height at which the text fits: font height, a quarter of it, borders.
    int MinimumHeight() const;

  signals:
    // The text changed: typing, cut, paste, a step, an assignment or the limiting on exit.
    void OnChange();

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    void Step(long double delta);
    bool EditingAllowed() const { return m_editorEnabled && !isReadOnly(); }
    bool KeyPassesFilter(const QKeyEvent *event) const;
    void PlaceButton();
    QRect ContentsRect() const;
    int TextAreaWidth() const;
    void UpdateToolTip();
    void ShowFromStart();
    void SelectAllFromStart();
    void ButtonPressed();
    void TextChanged();

    TSpinButton *m_button = nullptr;
    double m_minValue = 0;
    double m_maxValue = 0;
    double m_increment = 1.0;
    bool m_editorEnabled = true;
    bool m_autoSelect = true;
    bool m_settingText = false;  // setValue is writing the text
    bool m_pressPending = false; // the focus came with a mouse press not yet delivered
};

} // namespace kurvanto
