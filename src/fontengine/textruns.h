#pragma once

#include "typography.h"

#include <hb.h>

#include <QStringView>

#include <vector>

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

// How runs are shaped beyond their script and direction: a line's features switched on or off,
// the language of its text, and its letter spacing.
struct RunShaping
{
    RunShaping() = default;
    explicit RunShaping(const Typography &typography);

    std::vector<hb_feature_t> features;
    hb_language_t language = HB_LANGUAGE_INVALID; // invalid: the locale's, as HarfBuzz guesses
    int letterSpacing = 0; // thousandths of an em
};

// Shapes one run of text into buffer (emptied first) with font. The whole text goes in, so that
// shaping sees the letters around the run (Arabic joining). Letter spacing widens the advance of
// each cluster's last glyph (a letter and its marks take it once), as a web page spaces letters.
void shapeRun(hb_buffer_t *buffer, hb_font_t *font, QStringView text, const TextRun &run,
              const RunShaping &shaping = RunShaping());
