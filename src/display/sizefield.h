#pragma once

#include <QAbstractSpinBox>

// The character size field: steps of 1 within 6..72 with its buttons, the Up and Down keys and
// the wheel; typed text may leave that range. It accepts digits, "+", "-" and the locale's
// decimal separator and refuses any other character with a beep. Its value is its text read as a
// whole number; a text that is not one (empty, a lone sign, "1,5") reads as the minimum.
// textChanged() is sent for every change of the text, the program's own included.
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

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

Q_SIGNALS:
    void textChanged(const QString &text);

protected:
    StepEnabled stepEnabled() const override;

private:
    // Refuses characters with a beep and leaves Enter to the window.
    void keyPressEvent(QKeyEvent *event) override;
};
