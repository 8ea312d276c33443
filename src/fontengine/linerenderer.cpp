// The engine's face to the list: lines laid out by LineLayout, kept in a bounded cache.
#include "linerenderer.h"

#include "linelayout.h"

#include <QHash>

#include <list>

namespace {

struct LineKey
{
    QString family;
    QString text;
    LineStyle style;
    int maxWidth = 0;
    bool operator==(const LineKey &) const = default;
};

size_t typographyHash(const Typography &typography, size_t seed)
{
    for (auto feature = typography.features.cbegin(); feature != typography.features.cend();
         ++feature)
        seed = qHashMulti(seed, feature.key(), feature.value());
    for (auto axis = typography.axes.cbegin(); axis != typography.axes.cend(); ++axis)
        seed = qHashMulti(seed, axis.key(), axis.value());
    return qHashMulti(seed, typography.language, typography.letterSpacing);
}

size_t qHash(const LineKey &key, size_t seed = 0)
{
    const LineStyle &style = key.style;
    return qHashMulti(typographyHash(style.typography, seed), key.family, key.text, style.pixelSize,
                      style.points, style.bold, style.italic, style.underline, style.face,
                      key.maxWidth);
}

qsizetype inkBytes(const RenderedLine &line)
{
    return line.coverage.sizeInBytes() + line.colourInk.sizeInBytes();
}

} // namespace

struct LineRenderer::Private
{
    const FontCatalog &catalog;
    LineLayout layout;
    // Least recently used at the front.
    std::list<std::pair<LineKey, RenderedLine>> lines;
    QHash<LineKey, decltype(lines)::iterator> lineIndex;
    qsizetype lineBytes = 0;
    RenderedLine undrawn; // the last line that could not be drawn, kept out of the cache

    explicit Private(const FontCatalog &catalog)
        : catalog(catalog)
        , layout(catalog)
    {
    }

    void remember(const LineKey &key, RenderedLine line);
};

void LineRenderer::Private::remember(const LineKey &key, RenderedLine line)
{
    const qsizetype bytes = inkBytes(line);
    while (!lines.empty()
           && (qsizetype(lines.size()) >= MaximumCachedLines
               || lineBytes + bytes > MaximumCachedBytes)) {
        lineBytes -= inkBytes(lines.front().second);
        lineIndex.remove(lines.front().first);
        lines.pop_front();
    }
    lines.emplace_back(key, std::move(line));
    lineIndex.insert(key, std::prev(lines.end()));
    lineBytes += bytes;
}

LineRenderer::LineRenderer(const FontCatalog &catalog)
    : d(std::make_unique<Private>(catalog))
{
}

LineRenderer::~LineRenderer() = default;

const FontCatalog &LineRenderer::catalog() const
{
    return d->catalog;
}

const RenderedLine &LineRenderer::line(const QString &family, const QString &text,
                                       const LineStyle &style, int maxWidth)
{
    maxWidth = std::max(0, maxWidth);
    LineKey key {family, text, style, maxWidth};
    if (const auto found = d->lineIndex.constFind(key); found != d->lineIndex.cend()) {
        d->lines.splice(d->lines.end(), d->lines, *found);
        return d->lines.back().second;
    }
    RenderedLine rendered = d->layout.render(family, text, style, maxWidth);
    // A face that could not be opened or sized this time is tried again at the next call: a
    // line kept undrawn would stay blank until its text, size or width changed.
    if (!rendered.drawn) {
        d->undrawn = std::move(rendered);
        return d->undrawn;
    }
    d->remember(key, std::move(rendered));
    return d->lines.back().second;
}

qsizetype LineRenderer::cachedBytes() const
{
    return d->lineBytes;
}

qsizetype LineRenderer::cachedLines() const
{
    return qsizetype(d->lines.size());
}

void LineRenderer::clear()
{
    d->lines.clear();
    d->lineIndex.clear();
    d->lineBytes = 0;
    d->layout.clearGlyphs();
}
