// The HTML page written for any font names and sample: CR LF lines, 22 fixed lines and four per
// font, names that cannot open markup or leave the FACE attribute, and bytes that read back as the
// names and the sample.
#include "fuzzinput.h"
#include "htmlfontpage.h"
#include "windows1252.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    QStringList pieces = FuzzInput(data, size).pieces();
    // Line breaks cannot be in a font name or a one-line sample.
    for (QString &piece : pieces)
        piece.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString sample = pieces.takeLast();

    HtmlPageContent content;
    content.version = QStringLiteral("Glyphor 3.5");
    content.fonts = pieces;
    content.sample = [&sample] {
        return sample;
    };
    content.date = QStringLiteral("07/12/2026");
    content.time = QStringLiteral("12:00:00");
    content.authorLine = QStringLiteral("L'équipe Glyphor");
    content.homePage = QStringLiteral("https://example.org");
    FUZZ_CHECK(HtmlFontPage::write(path, content) == HtmlFontPage::Outcome::Written);

    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.readAll();
    FUZZ_CHECK(page.endsWith("</HTML>\r\n"));
    FUZZ_CHECK(page.count("\r\n") == 22 + 4 * pieces.size());
    FUZZ_CHECK(page.count('\n') == page.count("\r\n"));

    // Rows: the name cell holds no markup character, and reads back as the name.
    const QList<QByteArray> lines = page.split('\n');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QByteArray cell = lines[14 + 4 * i + 1].chopped(1);
        FUZZ_CHECK(cell.startsWith("<TD>") && cell.endsWith("</TD>"));
        const QByteArray inner = cell.mid(4, cell.size() - 9);
        FUZZ_CHECK(!inner.contains('<') && !inner.contains('>') && !inner.contains('"'));
        FUZZ_CHECK(browserText(Windows1252::decode(inner)) == pieces[i]);

        // The FACE attribute ends where its line says it does: however the name is quoted, its
        // own characters close nothing.
        const QByteArray face = lines[14 + 4 * i + 2];
        const QByteArray opening = "<TD><FONT FACE=\"";
        FUZZ_CHECK(face.startsWith(opening));
        const qsizetype closing = face.indexOf('"', opening.size());
        FUZZ_CHECK(closing > 0 && face.mid(closing, 2) == "\">");
        const QByteArray attribute = face.mid(opening.size(), closing - opening.size());
        FUZZ_CHECK(!attribute.contains('<') && !attribute.contains('>'));
    }
    return 0;
}
