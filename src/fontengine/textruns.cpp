#include "textruns.h"

#include <hb.h>
#include <unicode/ubidi.h>

#include <memory>

namespace {

// Each UTF-16 code unit's level in a left-to-right paragraph, as the Unicode Bidirectional
// Algorithm resolves it (trailing blanks back at the paragraph's level); all 0 when ICU fails,
// which only a lack of memory makes it do.
std::vector<UBiDiLevel> bidiLevels(QStringView text)
{
    std::vector<UBiDiLevel> levels(size_t(text.size()), 0);
    const std::unique_ptr<UBiDi, decltype(&ubidi_close)> bidi(ubidi_open(), ubidi_close);
    UErrorCode status = U_ZERO_ERROR;
    ubidi_setPara(bidi.get(), reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()),
                  UBIDI_LTR, nullptr, &status);
    if (U_FAILURE(status) || ubidi_getDirection(bidi.get()) == UBIDI_LTR)
        return levels;
    const UBiDiLevel *resolved = ubidi_getLevels(bidi.get(), &status);
    if (U_SUCCESS(status))
        levels.assign(resolved, resolved + text.size());
    return levels;
}

bool neutral(hb_script_t script)
{
    return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED
        || script == HB_SCRIPT_UNKNOWN;
}

} // namespace

std::vector<TextRun> visualRuns(QStringView text)
{
    if (text.isEmpty())
        return {};
    const std::vector<UBiDiLevel> levels = bidiLevels(text);
    hb_unicode_funcs_t *unicode = hb_unicode_funcs_get_default();
    std::vector<TextRun> runs; // in logical order first
    for (qsizetype i = 0; i < text.size();) {
        qsizetype units = 1;
        char32_t character = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text[i], text[i + 1]);
            units = 2;
        }
        const hb_script_t script = hb_unicode_script(unicode, character);
        const int level = levels[size_t(i)];
        const qsizetype start = i;
        i += units;
        if (!runs.empty() && runs.back().level == level) {
            TextRun &last = runs.back();
            if (neutral(script) || quint32(script) == last.script) {
                last.length += units;
                continue;
            }
            if (last.script == quint32(HB_SCRIPT_COMMON)) {
                last.script = quint32(script); // blanks before the first letter take its script
                last.length += units;
                continue;
            }
        }
        runs.push_back({start, units, quint32(neutral(script) ? HB_SCRIPT_COMMON : script), level});
    }

    // The runs' order on the line: the algorithm's reordering of their levels.
    std::vector<UBiDiLevel> runLevels;
    for (const TextRun &run : runs)
        runLevels.push_back(UBiDiLevel(run.level));
    std::vector<int32_t> order(runs.size());
    ubidi_reorderVisual(runLevels.data(), int32_t(runs.size()), order.data());
    std::vector<TextRun> visual;
    visual.reserve(runs.size());
    for (const int32_t logical : order)
        visual.push_back(runs[size_t(logical)]);
    return visual;
}

void shapeRun(hb_buffer_t *buffer, hb_font_t *font, QStringView text, const TextRun &run)
{
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t *>(text.utf16()), int(text.size()),
                        unsigned(run.start), int(run.length));
    hb_buffer_set_direction(buffer, run.rightToLeft() ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, hb_script_t(run.script));
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, nullptr, 0);
}
