#include "samplecombo.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

SampleCombo::SampleCombo(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    // The window decides what Enter does; the box never adds entries of its own.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(8);
    setDuplicatesEnabled(true);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &SampleCombo::onTextEdited);
    connect(this, &QComboBox::activated, this, &SampleCombo::onActivated);
}

void SampleCombo::selectEntry(int index)
{
    m_selectedEntry = index >= 0 && index < count() ? index : -1;
    if (m_selectedEntry >= 0)
        setFieldText(itemText(m_selectedEntry));
}

void SampleCombo::setFieldText(const QString &text)
{
    lineEdit()->setText(text);
    // Show the text from its start, as a field filled by the program always did.
    lineEdit()->setCursorPosition(0);
}

void SampleCombo::setColors(const QColor &background, const QColor &text)
{
    QPalette colors = palette();
    colors.setColor(QPalette::Base, background);
    colors.setColor(QPalette::Text, text);
    setPalette(colors);
    lineEdit()->setPalette(colors);
    view()->setPalette(colors);
}

int SampleCombo::findEntryIgnoringCase(const QString &text) const
{
    for (int i = 0; i < count(); ++i) {
        if (QString::compare(itemText(i), text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool SampleCombo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        m_lastKeyDeleted = key == Qt::Key_Backspace || key == Qt::Key_Delete;
    }
    return QComboBox::eventFilter(watched, event);
}

void SampleCombo::onTextEdited(const QString &text)
{
    QLineEdit *field = lineEdit();
    m_selectedEntry = findEntryIgnoringCase(text);
    // Complete only when the user typed at the end; deleting must be able to shorten the text.
    if (!m_lastKeyDeleted && !text.isEmpty() && field->cursorPosition() == text.size()) {
        for (int i = 0; i < count(); ++i) {
            const QString entry = itemText(i);
            if (entry.startsWith(text, Qt::CaseInsensitive)) {
                m_selectedEntry = i;
                field->setText(entry);
                field->setSelection(entry.size(), text.size() - entry.size());
                break;
            }
        }
    }
    Q_EMIT userEdited();
}

void SampleCombo::onActivated(int index)
{
    m_selectedEntry = index;
    Q_EMIT userEdited();
}
