// The details window and the font index at full size: the index of every installed face built
// on its thread while a font list is paged down, read back as at the next start, and the details
// window opened, switched and scrolled through a font of tens of thousands of characters. Prints
// one line "GLYPHOR_BENCH {json}"; times in ns, memory in kB.

#include "application.h"
#include "benchprobe.h"
#include "charactergrid.h"
#include "detailswindow.h"
#include "displaystate.h"
#include "fontcatalog.h"
#include "fontfamilies.h"
#include "fontindex.h"
#include "fontlistview.h"
#include "qtfonts.h"
#include "uifonts.h"

#include <QApplication>
#include <QJsonObject>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <vector>

namespace {

QJsonObject medianAndSlowest(std::vector<qint64> times, const QString &name)
{
    std::sort(times.begin(), times.end());
    return {{name + QStringLiteral("_ns"), times.empty() ? 0 : times[times.size() / 2]},
            {name + QStringLiteral("_slowest_ns"), times.empty() ? 0 : times.back()}};
}

void add(QJsonObject &report, const QJsonObject &more)
{
    for (auto it = more.begin(); it != more.end(); ++it)
        report.insert(it.key(), it.value());
}

// Page Down through the list, each page painted, until done() or the end: the time of each page.
std::vector<qint64> pageDown(FontListView &list, const std::function<bool()> &done)
{
    std::vector<qint64> times;
    QScrollBar *bar = list.verticalScrollBar();
    bar->setValue(0);
    while (bar->value() < bar->maximum() && !done()) {
        const qint64 start = BenchProbe::now();
        bar->setValue(bar->value() + bar->pageStep());
        list.viewport()->repaint();
        times.push_back(BenchProbe::now() - start);
        QCoreApplication::processEvents(); // the index's progress, as the event loop would
    }
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    // As the program starts: Qt given the windows' fonts only, the list reading all of them.
    QtFonts::useWindowFontsOnly(UiFonts::windowFamilies());
    QApplication app(argc, argv);
    Application::setUp(app);
    const QString wide = qEnvironmentVariable("GLYPHOR_BENCH_WIDE_FAMILY");
    QTemporaryDir cache;
    const QString cachePath = cache.filePath(QStringLiteral("fontindex"));
    QJsonObject report;

    DisplayState state;
    state.setChaineTaille(DisplayState::defaultSample(), 12);
    state.setCouleurTexte(0x000000);
    state.setCouleurFond(0xFFFFFF);
    FontListView list;
    list.setFamilies(FontFamilies::installed());
    list.setDisplayState(&state);
    list.resize(472, 382);
    list.show();
    if (!QTest::qWaitForWindowExposed(&list))
        BenchProbe::fail(QStringLiteral("the list was never shown"));
    list.viewport()->repaint();
    report[QStringLiteral("families")] = list.families().size();

    // Paging alone, then while the index is built.
    add(report,
        medianAndSlowest(pageDown(list, [] { return false; }), QStringLiteral("page_alone")));
    const qint64 rssBefore = BenchProbe::statusKb("VmRSS");
    FontIndex index(FontCatalog::system(), cachePath);
    QSignalSpy finished(&index, &FontIndex::finished);
    const qint64 indexStart = BenchProbe::now();
    index.start();
    std::vector<qint64> during;
    while (finished.isEmpty()) {
        const std::vector<qint64> pass = pageDown(list, [&] { return !finished.isEmpty(); });
        during.insert(during.end(), pass.begin(), pass.end());
        if (finished.isEmpty())
            finished.wait(10);
    }
    report[QStringLiteral("index_build_ns")] = BenchProbe::now() - indexStart;
    add(report, medianAndSlowest(during, QStringLiteral("page_while_indexing")));
    report[QStringLiteral("index_faces")] = index.faceCount();
    report[QStringLiteral("index_rss_kb")] = BenchProbe::statusKb("VmRSS") - rssBefore;
    report[QStringLiteral("index_file_kb")] = QFileInfo(cachePath).size() / 1024;

    // As at the next start: the file read back, every file's size and time checked.
    {
        FontIndex again(FontCatalog::system(), cachePath);
        QSignalSpy loaded(&again, &FontIndex::loaded);
        QSignalSpy done(&again, &FontIndex::finished);
        const qint64 start = BenchProbe::now();
        again.start();
        loaded.wait(60000);
        report[QStringLiteral("index_read_back_ns")] = BenchProbe::now() - start;
        done.wait(60000);
        report[QStringLiteral("index_checked_ns")] = BenchProbe::now() - start;
    }

    // The details window: opened on a family in the middle of the list, then following the list.
    const QStringList families = list.families();
    qint64 start = BenchProbe::now();
    DetailsWindow details(FontCatalog::system(), state, &index);
    details.setFamily(families.value(families.size() / 2));
    details.show();
    if (!QTest::qWaitForWindowExposed(&details))
        BenchProbe::fail(QStringLiteral("the details window was never shown"));
    details.repaint();
    report[QStringLiteral("details_open_ns")] = BenchProbe::now() - start;
    std::vector<qint64> switches;
    for (int i = 1; i <= 20; ++i) {
        start = BenchProbe::now();
        details.setFamily(families.value(families.size() / 2 + i * 37 % families.size()));
        details.repaint();
        switches.push_back(BenchProbe::now() - start);
    }
    add(report, medianAndSlowest(switches, QStringLiteral("details_switch")));

    // The characters of the widest font, page after page.
    details.showTab(DetailsWindow::Characters);
    QCoreApplication::processEvents(); // the tab laid out
    start = BenchProbe::now();
    details.setFamily(wide);
    details.repaint();
    report[QStringLiteral("grid_first_page_ns")] = BenchProbe::now() - start;
    auto *grid = details.findChild<CharacterGrid *>();
    report[QStringLiteral("grid_characters")] = grid ? grid->characters().size() : 0;
    std::vector<qint64> pages;
    if (grid) {
        QScrollBar *bar = grid->verticalScrollBar();
        for (int page = 0; page < 200 && bar->value() < bar->maximum(); ++page) {
            start = BenchProbe::now();
            bar->setValue(bar->value() + bar->pageStep());
            grid->viewport()->repaint();
            pages.push_back(BenchProbe::now() - start);
        }
    }
    add(report, medianAndSlowest(pages, QStringLiteral("grid_page")));
    report[QStringLiteral("vmhwm_kb")] = BenchProbe::statusKb("VmHWM");
    BenchProbe::print(report);
    return 0;
}
