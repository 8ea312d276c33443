#include "textruns.h"

#include <QChar>

#include <hb.h>

#include <algorithm>

namespace {

// The bidirectional level of each character of a left-to-right line, in the spirit of the
// Unicode algorithm without embeddings: right-to-left letters at 1, numbers among them at 2,
// blanks and punctuation at the level of the letters on both sides when they agree, else 0;
// marks at their base's level.
std::vector<int> bidiLevels(const std::u32string &text)
{
    const qsizetype count = qsizetype(text.size());
    std::vector<int> levels(size_t(count), -1);
    enum class Strong { None, Left, Right };
    Strong before = Strong::None;
    for (qsizetype i = 0; i < count; ++i) {
        switch (QChar::direction(text[size_t(i)])) {
        case QChar::DirL:
            levels[size_t(i)] = 0;
            before = Strong::Left;
            break;
        case QChar::DirR:
        case QChar::DirAL:
            levels[size_t(i)] = 1;
            before = Strong::Right;
            break;
        case QChar::DirEN:
        case QChar::DirAN:
            levels[size_t(i)] = before == Strong::Right ? 2 : 0;
            break;
        case QChar::DirNSM:
            levels[size_t(i)] = i > 0 ? levels[size_t(i - 1)] : 0;
            break;
        default:
            break; // neutral: settled below
        }
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (levels[size_t(i)] >= 0)
            continue;
        qsizetype end = i;
        while (end < count && levels[size_t(end)] < 0)
            ++end;
        const bool rightBefore = i > 0 && levels[size_t(i - 1)] > 0;
        const bool rightAfter = end < count && levels[size_t(end)] > 0;
        for (qsizetype k = i; k < end; ++k) {
            levels[size_t(k)] = rightBefore && rightAfter ? 1 : 0;
            // A mark among neutrals stays with its base.
            if (k > i && QChar::direction(text[size_t(k)]) == QChar::DirNSM)
                levels[size_t(k)] = levels[size_t(k - 1)];
        }
        i = end - 1;
    }
    return levels;
}

} // namespace

// Runs of one script and level, in the order they are seen on the line: each stretch of runs at
// a level or above reversed, from the highest level down.
std::vector<TextRun> visualRuns(const std::u32string &text)
{
    hb_unicode_funcs_t *unicode = hb_unicode_funcs_get_default();
    const std::vector<int> levels = bidiLevels(text);
    std::vector<TextRun> runs;
    for (qsizetype i = 0; i < qsizetype(text.size()); ++i) {
        const hb_script_t script = hb_unicode_script(unicode, text[size_t(i)]);
        const bool neutral = script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED
            || script == HB_SCRIPT_UNKNOWN;
        const int level = levels[size_t(i)];
        if (!runs.empty() && runs.back().level == level) {
            TextRun &last = runs.back();
            if (neutral || quint32(script) == last.script) {
                ++last.length;
                continue;
            }
            if (last.script == quint32(HB_SCRIPT_COMMON)) {
                last.script = quint32(script); // blanks before the first letter take its script
                ++last.length;
                continue;
            }
        }
        runs.push_back({i, 1, neutral ? quint32(HB_SCRIPT_COMMON) : quint32(script), level});
    }
    int highest = 0;
    for (const TextRun &run : runs)
        highest = std::max(highest, run.level);
    for (int level = highest; level >= 1; --level) {
        for (auto first = runs.begin(); first != runs.end();) {
            if (first->level < level) {
                ++first;
                continue;
            }
            auto last = std::find_if(first, runs.end(),
                                     [level](const TextRun &r) { return r.level < level; });
            std::reverse(first, last);
            first = last;
        }
    }
    return runs;
}
