#include "textruns.h"

#include <hb.h>
#include <unicode/ubidi.h>

#include <cmath>
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

RunShaping::RunShaping(const Typography &typography)
    : letterSpacing(typography.letterSpacing)
{
    const auto add = [this](const QByteArray &tag, bool on) {
        features.push_back({HB_TAG(tag[0], tag[1], tag[2], tag[3]), on ? 1u : 0u,
                            HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END});
    };
    for (auto feature = typography.features.cbegin(); feature != typography.features.cend();
         ++feature) {
        if (Typography::isValidTag(feature.key()))
            add(feature.key(), feature.value());
    }
    // Spaced letters are not joined into optional ligatures unless asked for, as on a web page.
    if (letterSpacing != 0) {
        for (const char *tag : {"liga", "clig", "dlig", "hlig"}) {
            if (!typography.features.contains(tag))
                add(tag, false);
        }
    }
    if (!typography.language.isEmpty())
        language = hb_language_from_string(typography.language.toLatin1().constData(), -1);
}

void shapeRun(hb_buffer_t *buffer, hb_font_t *font, QStringView text, const TextRun &run,
              const RunShaping &shaping)
{
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t *>(text.utf16()), int(text.size()),
                        unsigned(run.start), int(run.length));
    hb_buffer_set_direction(buffer, run.rightToLeft() ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, hb_script_t(run.script));
    if (shaping.language != HB_LANGUAGE_INVALID)
        hb_buffer_set_language(buffer, shaping.language);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, shaping.features.data(), unsigned(shaping.features.size()));
    if (shaping.letterSpacing == 0)
        return;
    // In thousandths of the em: the font's scale is its em in the units of the positions.
    int xScale = 0;
    int yScale = 0;
    hb_font_get_scale(font, &xScale, &yScale);
    const auto spacing = hb_position_t(std::lround(double(xScale) * shaping.letterSpacing / 1000));
    unsigned count = 0;
    const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(buffer, &count);
    hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, &count);
    for (unsigned i = 0; i < count; ++i) {
        if (i + 1 == count || infos[i + 1].cluster != infos[i].cluster)
            positions[i].x_advance += spacing;
    }
}
