// Glyphor printing its catalogue of every installed font to a PDF file, measured from the click
// on the print button to the closing message; the print dialog is skipped, the file named by
// GLYPHOR_PRINT_BENCH_PDF chosen in its place.

#include "benchprobe.h"
#include "catalogueprinting.h"
#include "glyphorprogram.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>

namespace {

QJsonObject report;

// Notes the moment the closing message shows, and answers it.
class MessageWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched)) {
                report[QStringLiteral("t_end")] = BenchProbe::now();
                report[QStringLiteral("vmhwm_kb")] = BenchProbe::statusKb("VmHWM");
                report[QStringLiteral("message")] = box->text();
                QTimer::singleShot(0, box, &QDialog::accept);
            }
        }
        return false;
    }
};

void printCatalogue(QWidget &window)
{
    auto *printing = window.findChild<CataloguePrinting *>();
    auto *button = window.findChild<QAbstractButton *>(QStringLiteral("SpeedButton1"));
    if (!printing || !button)
        BenchProbe::fail(QStringLiteral("no print button in the window"));
    printing->setPrinterChooser([](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(qEnvironmentVariable("GLYPHOR_PRINT_BENCH_PDF"));
        return true;
    });
    qsizetype printed = 0;
    QObject::connect(printing, &CataloguePrinting::progressed,
                     [&printed](qsizetype done) { printed = done; });
    auto *watch = new MessageWatch(&window);
    qApp->installEventFilter(watch);

    report[QStringLiteral("qt")] = QLatin1String(qVersion());
    report[QStringLiteral("vmrss_before_kb")] = BenchProbe::statusKb("VmRSS");
    report[QStringLiteral("t_start")] = BenchProbe::now();
    button->click();
    report[QStringLiteral("fonts")] = printed;
    const PrintTimings &spent = printing->lastTimings();
    report[QStringLiteral("face_opening_ns")] = spent.faceOpening;
    report[QStringLiteral("shaping_ns")] = spent.shaping;
    report[QStringLiteral("drawing_ns")] = spent.drawing;
    report[QStringLiteral("subsetting_ns")] = spent.subsetting;
    BenchProbe::print(report);
    QCoreApplication::exit(report.contains(QStringLiteral("t_end")) ? 0 : 2);
}

} // namespace

int main(int argc, char **argv)
{
    GlyphorHooks hooks;
    hooks.windowCreated = [](QWidget &window) {
        // Once the window has shown its list, as a user would click.
        QTimer::singleShot(500, &window, [&window] { printCatalogue(window); });
    };
    return runGlyphor(argc, argv, hooks);
}
