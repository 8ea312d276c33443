#pragma once

#include <QJsonObject>
#include <QString>

#include <functional>

class QAbstractItemView;
class QApplication;
class QWidget;

// Measures a font list program from the inside for bench/run_bench.py, the same way for Glyphor
// and for the floor. It does nothing unless GLYPHOR_BENCH_PROBE=1; then it prints one line
// "GLYPHOR_BENCH {json}" on stdout and ends the program. GLYPHOR_BENCH_PROBE=start stops after
// the first paint (a warm-up run). Time stamps are CLOCK_MONOTONIC
// nanoseconds, the clock of Python's time.monotonic_ns(), so the runner can subtract its own
// stamp taken just before it started the process.
namespace BenchProbe {

bool enabled();

// Once the QApplication exists and before the window: stamps it, then fills the font database
// itself so that the cost of that is measured apart from the window's.
void applicationReady(QApplication &app);

struct Target
{
    QAbstractItemView *list = nullptr;
    // Show a new sample string, then a new size, with the middle of the list shown. Each may
    // repaint at once or only ask for a repaint; the probe waits for the repaint either way.
    std::function<void()> applySample;
    // A new sample string made of characters that no line has drawn yet.
    std::function<void()> applySampleOfNewCharacters;
    std::function<void()> applySize;
    // Puts a text into the filter field, as typing does letter by letter; flips the "can write
    // the sample" filter. Absent: the filtering figures are left out.
    std::function<void(const QString &)> typeFilter;
    std::function<void()> toggleCanWrite;
    // The "Filtres" menu: a language, a property and "Favoris seulement" chosen (true) or removed
    // (false), and the language list made ready to show with its counts. Absent: left out.
    std::function<void(bool)> chooseLanguage;
    std::function<void(bool)> chooseProperty;
    std::function<void(bool)> favouritesOnly;
    std::function<void()> openLanguageList;
    // Marks a few favourites for "Favoris seulement", before it is measured.
    std::function<void()> markFavourites;
};

// Once the window exists and before the event loop: stamps it, waits for the first paint that
// shows lines of the list, measures, prints and quits.
void windowCreated(QWidget &window, const Target &target);

// Reports why the program cannot be measured, and ends it.
[[noreturn]] void fail(const QString &why);

// For the other benchmarks: CLOCK_MONOTONIC in nanoseconds, a "Vm...: 1234 kB" line of
// /proc/self/status in kB (-1 when missing), and the report line "GLYPHOR_BENCH {json}".
qint64 now();
qint64 statusKb(const QByteArray &field);
void print(const QJsonObject &object);

} // namespace BenchProbe
