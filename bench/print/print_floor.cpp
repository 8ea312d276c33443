// The printing floor: the least a Qt program can do to print every installed family to a PDF
// file, each family's name drawn in its own font at 12 points, a line each, pages filled from
// the top. Glyphor's catalogue is compared with this program's.

#include "benchprobe.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList families = QFontDatabase::families();

    QJsonObject report;
    report[QStringLiteral("qt")] = QLatin1String(qVersion());
    report[QStringLiteral("vmrss_before_kb")] = BenchProbe::statusKb("VmRSS");
    report[QStringLiteral("t_start")] = BenchProbe::now();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(qEnvironmentVariable("GLYPHOR_PRINT_BENCH_PDF"));
    QPainter painter;
    if (!painter.begin(&printer))
        BenchProbe::fail(QStringLiteral("cannot write the PDF file"));
    int y = 0;
    for (const QString &family : families) {
        QFont font;
        font.setFamilies({family});
        font.setPointSize(12);
        painter.setFont(font);
        const QFontMetrics metrics = painter.fontMetrics();
        if (y + metrics.height() > printer.height()) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), family);
        y += metrics.height();
    }
    painter.end();
    report[QStringLiteral("t_end")] = BenchProbe::now();
    report[QStringLiteral("vmhwm_kb")] = BenchProbe::statusKb("VmHWM");
    report[QStringLiteral("fonts")] = families.size();
    BenchProbe::print(report);
    return 0;
}
