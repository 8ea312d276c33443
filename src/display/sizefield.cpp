#include "sizefield.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <climits>

SizeField::SizeField(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    setAlignment(Qt::AlignLeft);
    setKeyboardTracking(true);
    // The plain QAbstractSpinBox keeps no value of its own: the text is the value, so every
    // change of it is ours to report, and the buttons' state follows it.
    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(TypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &SizeField::finishTyping);
    // Sent before textChanged: the change is known as typed when it is reported.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        m_typing = true;
        m_typingPause.start();
    });
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &text) {
        update();
        Q_EMIT textChanged(text);
    });
    setValue(12);
}

int SizeField::value() const
{
    bool ok = false;
    const qlonglong value = text().toLongLong(&ok, 10);
    return ok ? int(std::clamp<qlonglong>(value, INT_MIN, INT_MAX)) : Minimum;
}

void SizeField::setValue(int value)
{
    setText(QString::number(std::clamp(value, Minimum, Maximum)));
}

QString SizeField::text() const
{
    return lineEdit()->text();
}

void SizeField::setText(const QString &text)
{
    m_typing = false;
    m_typingPause.stop();
    lineEdit()->setText(text);
}

void SizeField::finishTyping()
{
    if (!m_typing)
        return;
    m_typing = false;
    m_typingPause.stop();
    Q_EMIT typingFinished();
}

void SizeField::stepBy(int steps)
{
    // From a typed value outside the range, a step lands on the nearest bound.
    setValue(int(std::clamp<qlonglong>(qlonglong(value()) + steps, Minimum, Maximum)));
}

static bool isAccepted(QChar ch, const QString &decimalPoint)
{
    return (ch >= u'0' && ch <= u'9') || ch == u'+' || ch == u'-' || decimalPoint.contains(ch);
}

QValidator::State SizeField::validate(QString &input, int &) const
{
    const QString decimalPoint = locale().decimalPoint();
    const bool accepted = std::all_of(input.cbegin(), input.cend(),
                                      [&](QChar ch) { return isAccepted(ch, decimalPoint); });
    return accepted ? QValidator::Acceptable : QValidator::Invalid;
}

void SizeField::fixup(QString &) const
{
    // The text stays as typed: the window decides what to do with a value out of range.
}

QAbstractSpinBox::StepEnabled SizeField::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    const int current = value();
    StepEnabled enabled = StepNone;
    if (current < Maximum)
        enabled |= StepUpEnabled;
    if (current > Minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void SizeField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter applies the window's settings: leave it to the window.
        finishTyping();
        event->ignore();
        return;
    }
    const QString typed = event->text();
    const bool plain
        = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && !typed.isEmpty() && typed.at(0).isPrint()) {
        QString input = typed;
        int pos = 0;
        if (validate(input, pos) == QValidator::Invalid) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SizeField::focusOutEvent(QFocusEvent *event)
{
    finishTyping();
    QAbstractSpinBox::focusOutEvent(event);
}
