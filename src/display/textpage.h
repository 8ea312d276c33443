#pragma once

#include "displaystate.h"

#include <QPlainTextEdit>

#include <optional>

// The Text page: lines the user writes in the font chosen for the page, drawn with the display
// state's attributes (once a font is chosen) and colours, which it follows by itself. The family
// and size are given apart: they come from the page's own fields, not from the state.
class TextPage : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextPage(QWidget *parent = nullptr);

    void setDisplayState(const DisplayState *state);
    // The family (an entry of the font list, "Default" included) and size, in points, the text
    // is written in.
    void setFontChoice(const QString &family, int points);
    // The page's own text, as at start.
    void showDefaultText();
    // Every character of the single-byte code page from the space to code 255, 30 a line.
    void showAllCharacters();

Q_SIGNALS:
    void mousePressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void followState(DisplayState::Aspects what);
    void applyFont();
    void applyColours();

    const DisplayState *m_state = nullptr;
    std::optional<QString> m_family; // none until a font is chosen
    int m_points = DisplayState::DefaultSize;
    QString m_defaultText;
};
