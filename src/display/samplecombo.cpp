#include "samplecombo.h"

#include "textforms.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>

SampleCombo::SampleCombo(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    // The window decides what Enter does; the box never adds entries of its own.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(8);
    setDuplicatesEnabled(true);
    // The box's own entries belong to a holder object, not to the box: a combo box deletes a
    // model it owns as soon as it is given another one.
    m_ownEntries = new QStandardItemModel(new QObject(this));
    setModel(m_ownEntries);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &SampleCombo::onTextEdited);
    connect(this, &QComboBox::activated, this, &SampleCombo::onActivated);
}

void SampleCombo::showFontChoice(QAbstractItemModel *families, int entry)
{
    if (families && model() != families)
        setModel(families);
    selectEntry(entry);
    setColors(Qt::black, Qt::white);
}

void SampleCombo::showSampleHistory()
{
    if (model() != m_ownEntries)
        setModel(m_ownEntries);
    setFieldText(itemText(0));
    setColors(Qt::white, Qt::black);
}

void SampleCombo::selectEntry(int index)
{
    if (index < 0 || index >= count()) {
        setCurrentEntryKeepingField(-1);
        return;
    }
    setCurrentIndex(index);
    setFieldText(itemText(index));
}

void SampleCombo::setFieldText(const QString &text)
{
    lineEdit()->setText(text);
    // Show the text from its start, as a field filled by the program always did.
    lineEdit()->setCursorPosition(0);
    setCurrentEntryKeepingField(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void SampleCombo::addRecentEntry(const QString &text)
{
    if (model() != m_ownEntries)
        return; // another view's entries are never changed from here
    insertItem(0, text);
    setCurrentEntryKeepingField(0);
}

void SampleCombo::setCurrentEntryKeepingField(int index)
{
    if (currentIndex() == index)
        return;
    // An editable combo box puts the entry's text in the field, or empties it for no entry.
    QLineEdit *field = lineEdit();
    const QString text = field->text();
    const int cursor = field->cursorPosition();
    const int selectionStart = field->selectionStart();
    const int selectionLength = field->selectionLength();
    setCurrentIndex(index);
    field->setText(text);
    if (selectionStart >= 0)
        field->setSelection(selectionStart, selectionLength);
    else
        field->setCursorPosition(cursor);
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

void SampleCombo::onTextEdited(const QString &edited)
{
    QLineEdit *field = lineEdit();
    QString text = edited;
    if (text.contains(u'\r') || text.contains(u'\n')) {
        // Pasted lines: shown, drawn and stored as one line, the same everywhere.
        const int cursor = TextForms::oneLine(text.left(field->cursorPosition())).size();
        text = TextForms::oneLine(text);
        field->setText(text);
        field->setCursorPosition(cursor);
    }
    setCurrentEntryKeepingField(findEntryIgnoringCase(text));
    // Complete only when the user typed at the end; deleting must be able to shorten the text.
    if (!m_lastKeyDeleted && !text.isEmpty() && field->cursorPosition() == text.size()) {
        for (int i = 0; i < count(); ++i) {
            const QString entry = itemText(i);
            if (entry.startsWith(text, Qt::CaseInsensitive)) {
                setCurrentEntryKeepingField(i);
                field->setText(entry);
                field->setSelection(entry.size(), text.size() - entry.size());
                break;
            }
        }
    }
    Q_EMIT userEdited();
}

void SampleCombo::onActivated(int)
{
    Q_EMIT userEdited();
}
