// Writes one file over and over, as the program does, until it is killed: the settings file or
// the HTML page, each time with the other of two contents. The test kills it at random moments.
//   crashwriter settings|html PATH
#include "htmlfontpage.h"
#include "settings.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    const QString path = args[2];
    const bool settings = args[1] == QStringLiteral("settings");

    // The two contents differ in length, so that a cut file can be told from either.
    Settings small;
    small.string = QStringLiteral("court");
    Settings large;
    large.string = QString(3000, u'é');
    HtmlPageContent fewFonts;
    fewFonts.fonts = {QStringLiteral("DejaVu Sans")};
    HtmlPageContent manyFonts;
    for (int i = 0; i < 2000; ++i)
        manyFonts.fonts << QStringLiteral("Famille %1").arg(i);
    for (HtmlPageContent *page : {&fewFonts, &manyFonts})
        page->sample = [] {
            return QStringLiteral("azertyuiop");
        };

    for (unsigned round = 0;; ++round) {
        const bool odd = round % 2;
        if (settings)
            (odd ? large : small).write(path);
        else
            HtmlFontPage::write(path, odd ? manyFonts : fewFonts);
        if (round == 0) {
            std::puts("written once");
            std::fflush(stdout);
        }
    }
}
