// The HTML page of the fonts at 10,000 families: Glyphor's writer (Windows-1252 with references,
// escaped names, a temporary file renamed over the page) against a floor that writes the same
// lines as UTF-8 straight into the file. Both run side by side, one after the other, each
// repetition; the figures are medians.
//   glyphor-html-bench [FAMILIES] [REPETITIONS]
#include "htmlfontpage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Family names as font collections have them: words, digits, accents, now and then a character
// outside Windows-1252 or a markup character.
QStringList familyNames(int count)
{
    const QStringList words
        = {QStringLiteral("Garamond"), QStringLiteral("Sans"),      QStringLiteral("Grotesk"),
           QStringLiteral("Mono"),     QStringLiteral("Libre"),     QStringLiteral("Égyptienne"),
           QStringLiteral("Display"),  QStringLiteral("Condensed"), QStringLiteral("Ωmega"),
           QStringLiteral("A&B")};
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names << words[i % words.size()] + u' ' + words[(i / 7) % words.size()] + u' '
                + QString::number(i);
    return names;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void writeFloor(const QString &path, const HtmlPageContent &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    const auto line = [&file](const QString &text) {
        file.write((text + u"\r\n").toUtf8());
    };
    for (int i = 0; i < 14; ++i)
        line(QStringLiteral("<fixed line of the page header>"));
    for (const QString &font : content.fonts) {
        const QString sample = content.sample();
        line(QStringLiteral("<TR>"));
        line(QStringLiteral("<TD>") + font + QStringLiteral("</TD>"));
        line(QStringLiteral("<TD><FONT FACE=\"") + font + QStringLiteral("\">") + sample
             + QStringLiteral("</FONT></TD>"));
        line(QStringLiteral("</TR>"));
    }
    for (int i = 0; i < 8; ++i)
        line(QStringLiteral("<fixed line of the page footer>"));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int families = args.size() > 1 ? args[1].toInt() : 10000;
    const int repetitions = args.size() > 2 ? args[2].toInt() : 9;

    HtmlPageContent content;
    content.version = QStringLiteral("Glyphor 3.5");
    content.fonts = familyNames(families);
    content.sample = [] {
        return QStringLiteral("azertyuiopQSDFGHJKLMéèàùêîâ@1234567890");
    };
    content.date = QStringLiteral("07/12/2026");
    content.time = QStringLiteral("12:00:00");
    content.authorLine = QStringLiteral("L'équipe Glyphor");
    content.homePage = QStringLiteral("https://example.org");

    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("glyphor.htm"));
    const QString floorPage = dir.filePath(QStringLiteral("floor.htm"));
    std::vector<double> glyphorMs, floorMs;
    for (int rep = 0; rep < repetitions; ++rep) {
        QElapsedTimer timer;
        timer.start();
        HtmlFontPage::write(page, content);
        glyphorMs.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        writeFloor(floorPage, content);
        floorMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    const double glyphor = median(glyphorMs), floor = median(floorMs);
    std::printf("families: %d, repetitions: %d\n", families, repetitions);
    std::printf("| Figure | Glyphor | Floor | Glyphor / floor |\n| --- | ---: | ---: | ---: |\n");
    std::printf("| Time to write the page (median) | %.1f ms | %.1f ms | %.2f |\n", glyphor, floor,
                glyphor / floor);
    std::printf("| Page size | %lld bytes | %lld bytes | %.2f |\n",
                static_cast<long long>(QFileInfo(page).size()),
                static_cast<long long>(QFileInfo(floorPage).size()),
                double(QFileInfo(page).size()) / double(QFileInfo(floorPage).size()));
    return QFileInfo(page).size() > 0 ? 0 : 1;
}
