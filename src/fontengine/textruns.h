#pragma once

#include <QStringView>

#include <vector>

typedef struct hb_buffer_t hb_buffer_t;
typedef struct hb_font_t hb_font_t;

// A stretch of a line in one script at one bidirectional level (even: left to right): what
// HarfBuzz shapes at once.
struct TextRun
{
    qsizetype start = 0; // in UTF-16 code units
    qsizetype length = 0;
    quint32 script = 0; // HarfBuzz's script, an ISO 15924 tag ('Zyyy': common to all scripts)
    int level = 0;
    bool rightToLeft() const { return level % 2; }
};

// The runs of a left-to-right line, in the order they are seen on it from left to right. Levels
// come from the Unicode Bidirectional Algorithm (ICU's); blanks, punctuation and marks join the
// script of the letters before them, or, at the start of a run, after them.
std::vector<TextRun> visualRuns(QStringView text);

// Shapes one run of text into buffer (emptied first) with font. The whole text goes in, so that
// shaping sees the letters around the run (Arabic joining).
void shapeRun(hb_buffer_t *buffer, hb_font_t *font, QStringView text, const TextRun &run);
