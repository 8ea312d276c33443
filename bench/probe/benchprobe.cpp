#include "benchprobe.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFontDatabase>
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
    QJsonValue timed(const std::function<void()> &apply, const QString &paintsKey);

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
