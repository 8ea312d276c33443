// Glyphor started with a folder of font files to open, or on its installed list, measured from the
// inside for bench/run_opened_bench.py: when the first lines of the opened files are drawn, when
// every family is listed, a Page Down pass over the list shown, and the peak memory.

#include "benchprobe.h"
#include "fontfilereader.h"
#include "fontindex.h"
#include "glyphorprogram.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QJsonArray>
#include <QJsonObject>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSet>
#include <QTimer>

#include <functional>
#include <utility>

namespace {

// The application is made just before the window, whose making opens the files: the moment they
// are chosen, as near as the program lets one stamp it.
qint64 chosenAt = 0;

// Stamps the first paint of the list that shows lines, then runs what follows it once.
class FirstLines : public QObject
{
public:
    FirstLines(QAbstractItemView *list, std::function<void(qint64)> then)
        : QObject(list)
        , m_list(list)
        , m_then(std::move(then))
    {
        list->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_then && m_list->model()
            && m_list->model()->rowCount() > 0) {
            const qint64 stamp = BenchProbe::now();
            auto then = std::move(m_then);
            m_then = nullptr;
            QTimer::singleShot(0, m_list, [then, stamp] { then(stamp); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractItemView *m_list;
    std::function<void(qint64)> m_then;
};

// The font indexes of the window not yet done reading: the peak memory is taken once they are,
// so that a run counts the metadata of every face, whichever list it shows and however long its
// pass took.
QSet<FontIndex *> indexesReading;
std::function<void()> afterIndexes;

void watchIndexes(QWidget &window)
{
    for (FontIndex *index : window.findChildren<FontIndex *>()) {
        indexesReading.insert(index);
        QObject::connect(index, &FontIndex::finished, index, [index] {
            indexesReading.remove(index);
            if (indexesReading.isEmpty() && afterIndexes)
                QTimer::singleShot(0, std::exchange(afterIndexes, nullptr));
        });
    }
}

void reportWhenIndexed(QJsonObject report)
{
    afterIndexes = [report]() mutable {
        report[QStringLiteral("vmhwm_kb")] = BenchProbe::statusKb("VmHWM");
        BenchProbe::print(report);
        QApplication::exit(0);
    };
    if (indexesReading.isEmpty())
        QTimer::singleShot(0, std::exchange(afterIndexes, nullptr));
}

// Page Down from the top to the end of the list, each page's key to its repaint.
void pagePass(QAbstractItemView *list, QJsonObject report)
{
    list->setFocus();
    list->scrollToTop();
    QJsonArray pages;
    QScrollBar *bar = list->verticalScrollBar();
    while (bar->value() < bar->maximum()) {
        const qint64 start = BenchProbe::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
        list->viewport()->repaint();
        pages.append(BenchProbe::now() - start);
    }
    report[QStringLiteral("families")] = list->model()->rowCount();
    report[QStringLiteral("pages_ns")] = pages;
    report[QStringLiteral("vmhwm_pass_kb")] = BenchProbe::statusKb("VmHWM");
    reportWhenIndexed(report);
}

} // namespace

int main(int argc, char **argv)
{
    GlyphorHooks hooks;
    hooks.applicationReady = [](QApplication &) {
        chosenAt = BenchProbe::now();
    };
    hooks.windowCreated = [](QWidget &window) {
        watchIndexes(window);
        auto *opened = window.findChild<QAbstractItemView *>(QStringLiteral("ListeOuverte"));
        if (!opened) {
            auto *installed = window.findChild<QAbstractItemView *>(QStringLiteral("ListBox1"));
            new FirstLines(installed, [installed](qint64) { pagePass(installed, {}); });
            return;
        }
        // The pass once the lines are on screen and every family is listed, whichever is last.
        auto report = std::make_shared<QJsonObject>();
        const auto passWhenReady = [opened, report] {
            if (report->contains(QStringLiteral("first_lines_ns"))
                && report->contains(QStringLiteral("all_listed_ns")))
                pagePass(opened, *report);
        };
        new FirstLines(opened, [report, passWhenReady](qint64 stamp) {
            (*report)[QStringLiteral("first_lines_ns")] = stamp - chosenAt;
            passWhenReady();
        });
        auto *reader = window.findChild<FontFileReader *>();
        if (!reader)
            BenchProbe::fail(QStringLiteral("no reader of font files in the window"));
        QObject::connect(reader, &FontFileReader::finished, opened, [report, passWhenReady] {
            (*report)[QStringLiteral("all_listed_ns")] = BenchProbe::now() - chosenAt;
            QTimer::singleShot(0, passWhenReady);
        });
    };
    return runGlyphor(argc, argv, hooks);
}
