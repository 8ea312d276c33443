#include "benchprobe.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace BenchProbe {

qint64 now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// A "Vm...: 1234 kB" line of /proc/self/status, in kB, or -1.
qint64 statusKb(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = field + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).simplified().split(' ').value(0).toLongLong();
    }
    return -1;
}

void print(const QJsonObject &object)
{
    const QByteArray line
        = "GLYPHOR_BENCH " + QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

namespace {

QJsonObject report;
constexpr int IdleBeforeFilterMs = 3000;

class Probe : public QObject
{
    Q_OBJECT

public:
    Probe(const Target &target, QObject *parent)
        : QObject(parent)
        , m_target(target)
    {
        m_target.list->viewport()->installEventFilter(this);
    }

Q_SIGNALS:
    void painted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool linesShown() const;
    void measure();
    void measureFilter();
    void measureFilterMenu();
    QJsonValue timed(const std::function<void()> &apply, const QString &paintsKey);
    // From the change to the end of its repaint, or to the end of the work it caused when the
    // lines shown did not change (no repaint then).
    qint64 timedOrQuiet(const std::function<void()> &apply);

    Target m_target;
    bool m_inPaint = false;
    bool m_shown = false;
    int m_paints = 0;
};

bool Probe::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint || m_inPaint || watched != m_target.list->viewport())
        return false;
    // A filter sees the paint event before the view paints. To know when the view is done, hand
    // the event on from here (this filter lets it through while m_inPaint is set) and stop the
    // original: the view paints once, within the same paint cycle, and has finished on return.
    m_inPaint = true;
    QCoreApplication::sendEvent(watched, event);
    m_inPaint = false;
    ++m_paints;
    if (!m_shown && linesShown()) {
        m_shown = true;
        report[QStringLiteral("t_first_paint")] = now();
        report[QStringLiteral("rows_first_paint")] = m_target.list->model()->rowCount();
        if (qEnvironmentVariable("GLYPHOR_BENCH_PROBE") == QLatin1String("start"))
            QTimer::singleShot(0, this, [] {
                print(report);
                QCoreApplication::exit(0);
            });
        else
            QTimer::singleShot(0, this, &Probe::measure);
    }
    Q_EMIT painted();
    return true;
}

// An empty list painted before the families are in does not count as the first painted list.
bool Probe::linesShown() const
{
    const QAbstractItemModel *model = m_target.list->model();
    return model && model->rowCount() > 0 && m_target.list->indexAt(QPoint(2, 2)).isValid();
}

void Probe::measure()
{
    QAbstractItemView *list = m_target.list;
    QWidget *viewport = list->viewport();
    QScrollBar *bar = list->verticalScrollBar();
    QCoreApplication::sendPostedEvents(); // layouts put off until now
    if (bar->pageStep() <= 0)
        fail(QStringLiteral("the list's scroll bar has no page step"));

    // Page after page from the top, each painted (and shown on screen) before the next.
    bar->setValue(bar->minimum());
    viewport->repaint();
    const int paintsBefore = m_paints;
    int pages = 0;
    std::vector<qint64> pageTimes;
    const qint64 start = now();
    qint64 pageStart = start;
    while (bar->value() < bar->maximum()) {
        bar->setValue(bar->value() + bar->pageStep());
        viewport->repaint();
        ++pages;
        const qint64 pageEnd = now();
        pageTimes.push_back(pageEnd - pageStart);
        pageStart = pageEnd;
    }
    report[QStringLiteral("full_pass_ns")] = now() - start;
    report[QStringLiteral("pages")] = pages;
    // One Page Down: the new value and the page painted, the median and the slowest of the pass.
    if (!pageTimes.empty()) {
        std::sort(pageTimes.begin(), pageTimes.end());
        report[QStringLiteral("page_down_ns")] = pageTimes[pageTimes.size() / 2];
        report[QStringLiteral("page_down_slowest_ns")] = pageTimes.back();
    }
    report[QStringLiteral("full_pass_paints")] = m_paints - paintsBefore;
    report[QStringLiteral("vmhwm_kb")] = statusKb("VmHWM");
    report[QStringLiteral("vmrss_kb")] = statusKb("VmRSS");

    // And back up, page by page: the fonts' caches must not keep growing with what was seen.
    while (bar->value() > bar->minimum()) {
        bar->setValue(bar->value() - bar->pageStep());
        viewport->repaint();
    }
    report[QStringLiteral("vmhwm_back_kb")] = statusKb("VmHWM");
    report[QStringLiteral("vmrss_back_kb")] = statusKb("VmRSS");

    bar->setValue((bar->minimum() + bar->maximum()) / 2);
    viewport->repaint();
    QCoreApplication::processEvents();
    report[QStringLiteral("apply_sample_ns")]
        = timed(m_target.applySample, QStringLiteral("apply_sample_paints"));
    report[QStringLiteral("apply_new_chars_ns")]
        = timed(m_target.applySampleOfNewCharacters, QStringLiteral("apply_new_chars_paints"));
    report[QStringLiteral("apply_size_ns")]
        = timed(m_target.applySize, QStringLiteral("apply_size_paints"));
    report[QStringLiteral("rows")] = list->model()->rowCount();

    // A user looks at the list a moment before filtering it: the program works ahead meanwhile.
    if (m_target.typeFilter) {
        QEventLoop idle;
        QTimer::singleShot(IdleBeforeFilterMs, &idle, &QEventLoop::quit);
        idle.exec();
    }
    if (m_target.typeFilter && m_target.toggleCanWrite)
        measureFilter();
    if (m_target.chooseLanguage && m_target.chooseProperty && m_target.favouritesOnly
        && m_target.openLanguageList)
        measureFilterMenu();

    print(report);
    QCoreApplication::exit(0);
}

// From the change to the end of the repaint it causes; null when nothing was repainted.
QJsonValue Probe::timed(const std::function<void()> &apply, const QString &paintsKey)
{
    const int before = m_paints;
    const qint64 start = now();
    if (apply)
        apply();
    QCoreApplication::sendPostedEvents(); // a repaint that was only asked for
    if (m_paints == before) {
        // A repaint put off by a timer.
        QEventLoop loop;
        connect(this, &Probe::painted, &loop, &QEventLoop::quit);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const qint64 end = now();
    report[paintsKey] = m_paints - before;
    return m_paints == before ? QJsonValue() : QJsonValue(end - start);
}

qint64 Probe::timedOrQuiet(const std::function<void()> &apply)
{
    const int before = m_paints;
    const qint64 start = now();
    apply();
    QCoreApplication::sendPostedEvents();
    qint64 end = now();
    // A view may lay its lines out again on a zero timer, then repaint: wait for that briefly.
    QEventLoop loop;
    connect(this, &Probe::painted, &loop, &QEventLoop::quit);
    QTimer::singleShot(m_paints == before ? 200 : 0, &loop, &QEventLoop::quit);
    if (m_paints == before) {
        loop.exec();
        if (m_paints != before)
            end = now();
    }
    return end - start;
}

static QJsonObject medianAndSlowest(std::vector<qint64> times)
{
    std::sort(times.begin(), times.end());
    return {{QStringLiteral("median"), times[times.size() / 2]},
            {QStringLiteral("slowest"), times.back()}};
}

// The filter: a word typed letter by letter, then erased; the "can write" switch on and off with
// the sample of the start, then with a 40-character one.
void Probe::measureFilter()
{
    QAbstractItemView *list = m_target.list;
    list->verticalScrollBar()->setValue(0);
    list->viewport()->repaint();
    report[QStringLiteral("vmrss_before_filter_kb")] = statusKb("VmRSS");

    const QString word = QStringLiteral("corpus 12 sans");
    std::vector<qint64> keys;
    for (qsizetype typed = 1; typed <= word.size(); ++typed)
        keys.push_back(timedOrQuiet([&] { m_target.typeFilter(word.left(typed)); }));
    for (qsizetype typed = word.size() - 1; typed >= 0; --typed)
        keys.push_back(timedOrQuiet([&] { m_target.typeFilter(word.left(typed)); }));
    QJsonArray each;
    for (const qint64 time : keys)
        each.append(time);
    report[QStringLiteral("filter_keys_each_ns")] = each;
    const QJsonObject key = medianAndSlowest(keys);
    report[QStringLiteral("filter_key_ns")] = key[QStringLiteral("median")];
    report[QStringLiteral("filter_key_slowest_ns")] = key[QStringLiteral("slowest")];

    std::vector<qint64> toggles;
    for (int i = 0; i < 2; ++i)
        toggles.push_back(timedOrQuiet(m_target.toggleCanWrite));
    report[QStringLiteral("can_write_ns")] = medianAndSlowest(toggles)[QStringLiteral("slowest")];
    if (m_target.applySampleOfNewCharacters)
        m_target.applySampleOfNewCharacters(); // 44 characters, accents and a ligature
    toggles.clear();
    for (int i = 0; i < 2; ++i)
        toggles.push_back(timedOrQuiet(m_target.toggleCanWrite));
    report[QStringLiteral("can_write_long_ns")]
        = medianAndSlowest(toggles)[QStringLiteral("slowest")];
    report[QStringLiteral("vmrss_after_filter_kb")] = statusKb("VmRSS");
    report[QStringLiteral("vmhwm_after_filter_kb")] = statusKb("VmHWM");
}

// The menu's filters, each chosen then removed: the slower of the two; the language list's first
// opening, its entries named and counted.
void Probe::measureFilterMenu()
{
    const auto onAndOff = [this](const std::function<void(bool)> &choose) {
        const qint64 on = timedOrQuiet([&] { choose(true); });
        const qint64 off = timedOrQuiet([&] { choose(false); });
        return std::max(on, off);
    };
    const qint64 start = now();
    m_target.openLanguageList();
    report[QStringLiteral("language_list_ns")] = now() - start;
    report[QStringLiteral("choose_language_ns")] = onAndOff(m_target.chooseLanguage);
    report[QStringLiteral("choose_property_ns")] = onAndOff(m_target.chooseProperty);
    if (m_target.markFavourites)
        m_target.markFavourites();
    report[QStringLiteral("favourites_only_ns")] = onAndOff(m_target.favouritesOnly);
    report[QStringLiteral("vmrss_after_menu_kb")] = statusKb("VmRSS");
    report[QStringLiteral("vmhwm_after_menu_kb")] = statusKb("VmHWM");
}

} // namespace

bool enabled()
{
    const QString mode = qEnvironmentVariable("GLYPHOR_BENCH_PROBE");
    return mode == QLatin1String("1") || mode == QLatin1String("start");
}

void applicationReady(QApplication &)
{
    if (!enabled())
        return;
    report[QStringLiteral("t_app_ready")] = now();
    report[QStringLiteral("qt")] = QLatin1String(qVersion());
    report[QStringLiteral("families")] = QFontDatabase::families().size();
    report[QStringLiteral("t_fontdb")] = now();
}

void windowCreated(QWidget &window, const Target &target)
{
    if (!enabled())
        return;
    report[QStringLiteral("t_window")] = now();
    if (!target.list)
        fail(QStringLiteral("no font list in the window"));
    new Probe(target, &window);
}

void fail(const QString &why)
{
    print({{QStringLiteral("error"), why}});
    std::_Exit(2);
}

} // namespace BenchProbe

#include "benchprobe.moc"
