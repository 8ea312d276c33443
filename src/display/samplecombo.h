#pragma once

#include <QComboBox>

// The editable drop-down box under the font list: it edits the sample string or chooses a font.
// Typing completes inline: when an entry begins with the typed text (ignoring case), the field
// shows the whole entry with the untyped rest selected, and that entry becomes the selected one.
// The selected entry is always the combo's current entry, so the drop-down highlights it and Up
// and Down start from it. The field holds one line: a line break pasted into it becomes a space.
// userEdited() is sent for every edit the user makes (keystroke, completion, pick from the
// list), never for text the program puts in.
class SampleCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit SampleCombo(QWidget *parent = nullptr);

    // The entry the field stands for: the one completed or picked, or -1 once the user typed text
    // that is no entry.
    int selectedEntry() const { return currentIndex(); }
    // Selects an entry from the program; the field shows it and userEdited() is not sent.
    void selectEntry(int index);

    // Puts text in the field from the program; the first entry equal to it becomes the selected
    // one. userEdited() is not sent.
    void setFieldText(const QString &text);

    // Puts text at the top of the entries as the selected entry; the field is left as it is.
    void addRecentEntry(const QString &text);

    // Index of the entry equal to text ignoring case, or -1.
    int findEntryIgnoringCase(const QString &text) const;

    // The box in its two uses. Choosing a font, in white on black: the entries of a model it
    // shares with another view (shown as they are, never changed by the box), one of them
    // selected. Editing the sample, in black on white: its own entries, the sample history, kept
    // as they were meanwhile, the most recent in the field.
    void showFontChoice(QAbstractItemModel *families, int entry);
    void showSampleHistory();

Q_SIGNALS:
    void userEdited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onTextEdited(const QString &text);
    void onActivated(int index);
    // Background and text colours of the field and the drop-down list.
    void setColors(const QColor &background, const QColor &text);
    // Makes index the current entry without changing the field's text, cursor or selection.
    void setCurrentEntryKeepingField(int index);

    bool m_lastKeyDeleted = false;
    QAbstractItemModel *m_ownEntries;
};
