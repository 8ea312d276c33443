#pragma once

#include <QAbstractSpinBox>
#include <QTimer>

// The character size field: steps of 1 within 6..72 with its buttons, the Up and Down keys and
// the wheel; typed text may leave that range. It accepts digits, "+", "-" and the locale's
// decimal separator and refuses any other character with a beep. Its value is its text read as a
// whole number; a text that is not one (empty, a lone sign, "1,5") reads as the minimum.
// textChanged() is sent for every change of the text, the program's own included.
//
// A number being typed passes through values out of range ("3" on the way to "30"): while the
// user types, typingUnfinished() says so, and typingFinished() follows at Enter, when the field
// loses the focus, or after a short pause.
class SizeField : public QAbstractSpinBox
{
    Q_OBJECT

public:
    static constexpr int Minimum = 6;
    static constexpr int Maximum = 72;

    explicit SizeField(QWidget *parent = nullptr);

    int value() const;
    // Brings value into Minimum..Maximum and shows it; textChanged() follows at once when this
    // changes the text.
    void setValue(int value);

    QString text() const;
    void setText(const QString &text);

    // The user has typed into the field and not yet finished.
    bool typingUnfinished() const { return m_typing; }
    // How long a pause in the typing ends it.
    static constexpr int TypingPauseMs = 1200;

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

Q_SIGNALS:
    void textChanged(const QString &text);
    void typingFinished();

protected:
    StepEnabled stepEnabled() const override;

private:
    // Refuses characters with a beep and leaves Enter to the window.
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void finishTyping();

    QTimer m_typingPause;
    bool m_typing = false;
};
