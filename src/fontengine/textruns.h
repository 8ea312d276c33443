#pragma once

#include <QtGlobal>

#include <string>
#include <vector>

// A stretch of a line in one script at one bidirectional level (even: left to right): what
// HarfBuzz shapes at once.
struct TextRun
{
    qsizetype start = 0;
    qsizetype length = 0;
    quint32 script = 0; // HarfBuzz's script, an ISO 15924 tag ('Zyyy': common to all scripts)
    int level = 0;
    bool rightToLeft() const { return level % 2; }
};

// The runs of a left-to-right line (UTF-32), in the order they are seen on the line.
std::vector<TextRun> visualRuns(const std::u32string &text);
