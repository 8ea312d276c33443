// A page of the list drawn with OpenType features and variation axes set, against the same page
// drawn with none: the engine's own floor (Qt 6.4 offers neither on a font, so there is no bare
// Qt program to compare with). Pages of the installed families in the list's order (the font
// configuration the environment names), each drawn by two renderers of their own, one with each
// setting, side by side, the order switched every page as a list scrolled down would draw them;
// the figures are medians over the pages.
//   glyphor-typography-bench [PAGES] [LINES]
#include "fontcatalog.h"
#include "linerenderer.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double slowest(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
}

// One page: each family's line, as the list draws them; milliseconds.
double drawPage(LineRenderer &renderer, const QStringList &families, const LineStyle &style)
{
    const QString sample = QStringLiteral(" azertyuiopQSDFGHJKLMéèàùêîâ@1234567890 ffi 1/2");
    QElapsedTimer timer;
    timer.start();
    for (const QString &family : families)
        renderer.line(family, sample, style, 900);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    const int pages = args.size() > 1 ? args[1].toInt() : 100;
    const int lines = args.size() > 2 ? args[2].toInt() : 30;

    const QStringList families = FontCatalog::system().families();
    LineStyle none;
    none.points = 12;
    none.pixelSize = 16;
    LineStyle set = none;
    set.typography.features
        = {{"smcp", true}, {"onum", true}, {"ss01", true}, {"liga", false}, {"kern", true}};
    set.typography.axes = {{"wght", 700}, {"wdth", 90}};
    LineRenderer withNone;
    LineRenderer withSet;
    std::vector<double> noneMs, setMs;
    for (int page = 0; page < pages && page * lines < families.size(); ++page) {
        const QStringList shown = families.mid(page * lines, lines);
        if (page % 2) {
            setMs.push_back(drawPage(withSet, shown, set));
            noneMs.push_back(drawPage(withNone, shown, none));
        } else {
            noneMs.push_back(drawPage(withNone, shown, none));
            setMs.push_back(drawPage(withSet, shown, set));
        }
    }
    if (noneMs.empty())
        return 1;

    std::printf("families: %lld, pages: %zu of %d lines\n", static_cast<long long>(families.size()),
                noneMs.size(), lines);
    std::printf("| Figure | Features and axes set | None set | Set / none | Limit |\n"
                "| --- | ---: | ---: | ---: | ---: |\n");
    std::printf("| A page drawn (median) | %.2f ms | %.2f ms | %.2f | 1.3 |\n", median(setMs),
                median(noneMs), median(setMs) / median(noneMs));
    std::printf("| A page drawn, the slowest | %.2f ms | %.2f ms | %.2f | |\n", slowest(setMs),
                slowest(noneMs), slowest(setMs) / slowest(noneMs));
    return 0;
}
