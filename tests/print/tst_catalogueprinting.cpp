#include "catalogueprinting.h"
#include "fontcatalogue.h"
#include "fontfamilies.h"
#include "messagecatcher.h"
#include "pdftools.h"
#include "productinfo.h"

#include <QAbstractButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QTimer>

#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

// A word of a PDF page, where pdftotext finds it (points from the page's top-left corner): its
// left, top and bottom edges, which come from its font's ascent and descent: words of one line
// in different fonts and sizes share no edge.
struct Word
{
    int page;
    double x;
    double y;
    double bottom;
    QString text;
    double middle() const { return (y + bottom) / 2; }
};

QList<Word> pdfWords(const QString &path)
{
    static const QRegularExpression tag(QLatin1String(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    int page = 0;
    const QString xhtml = PdfTools::run(QStringLiteral("pdftotext"), {"-bbox", path, "-"});
    for (const QRegularExpressionMatch &match : tag.globalMatch(xhtml)) {
        if (match.captured(0).startsWith(QLatin1String("<page")))
            ++page;
        else
            words.append({page, match.captured(1).toDouble(), match.captured(2).toDouble(),
                          match.captured(3).toDouble(),
                          match.captured(4).replace(QLatin1String("&apos;"), QLatin1String("'"))});
    }
    return words;
}

// The words of each printed line, by page and height: a word whose middle lies within the
// height of the line's topmost word belongs to it.
QList<QList<Word>> pdfLines(const QString &path)
{
    QList<Word> words = pdfWords(path);
    std::stable_sort(words.begin(), words.end(), [](const Word &a, const Word &b) {
        return std::pair(a.page, a.y) < std::pair(b.page, b.y);
    });
    QList<QList<Word>> lines;
    for (const Word &word : std::as_const(words)) {
        if (lines.isEmpty() || lines.last().first().page != word.page
            || word.middle() > lines.last().first().bottom)
            lines.append(QList<Word>());
        lines.last().append(word);
    }
    for (QList<Word> &line : lines)
        std::sort(line.begin(), line.end(), [](const Word &a, const Word &b) { return a.x < b.x; });
    return lines;
}

QString lineText(const QList<Word> &line)
{
    QStringList texts;
    for (const Word &word : line)
        texts.append(word.text);
    return texts.join(QLatin1Char(' '));
}

} // namespace

class TestCataloguePrinting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void printsToPdf();
    void samplesNeverBorrowGlyphs();
    void samplesLineUpAfterAnyName();
    void closingMessageNamesWhatIsLeftOut_data();
    void closingMessageNamesWhatIsLeftOut();
    void dialogOffersNoPageRange();
    void longListPages();
    void wideSampleWraps();
    void stopFromTheProgressWindow();
    void printerThatCannotStart();
    void fullDiskKeepsTheFileItWouldReplace();
    void errorStillEndsTheJob();

private:
    CataloguePrinting::Sources sources(const QStringList &families, const QString &sample,
                                       int size = 12) const;
    // Prints with the given sources onto a PDF file; returns its path.
    QString printToPdf(CataloguePrinting &printing, const QString &name = "catalogue.pdf");

    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<MessageCatcher> m_messages;
    QPrinter *m_printer = nullptr;
};

void TestCataloguePrinting::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->show();
    m_messages = std::make_unique<MessageCatcher>();
}

void TestCataloguePrinting::cleanup()
{
    m_messages.reset();
    m_window.reset();
}

CataloguePrinting::Sources TestCataloguePrinting::sources(const QStringList &families,
                                                          const QString &sample, int size) const
{
    CataloguePrinting::Sources sources;
    sources.version = QStringLiteral("Glyphor 3.5");
    sources.families = [families] {
        return families;
    };
    sources.sample = [sample] {
        return sample;
    };
    sources.sampleSize = [size] {
        return size;
    };
    return sources;
}

QString TestCataloguePrinting::printToPdf(CataloguePrinting &printing, const QString &name)
{
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printing.print(printer);
    return path;
}

void TestCataloguePrinting::printsToPdf()
{
    const QStringList families = FontFamilies::installed();
    CataloguePrinting printing(sources(families, QStringLiteral("Bonjour")), m_window.get());
    const QString pdf = printToPdf(printing);
    QCOMPARE(m_messages->texts, QStringList {CataloguePrinting::CompletedMessage});

    const QList<QList<Word>> lines = pdfLines(pdf);
    QStringList texts;
    for (const QList<Word> &line : lines)
        texts.append(lineText(line));
    QCOMPARE(texts.first(3),
             (QStringList {"Glyphor 3.5", "L'équipe Glyphor", ProductInfo::homePage()}));
    QVERIFY2(QRegularExpression(QStringLiteral("^Le: \\d\\d/\\d\\d/\\d{4} à \\d\\d:\\d\\d:\\d\\d, "
                                               "Glyphor a trouvé 6 fontes sur votre système:$"))
                 .match(texts.at(3))
                 .hasMatch(),
             qPrintable(texts.at(3)));
    QCOMPARE(texts.constLast(), "Merci d'avoir utilisé Glyphor 3.5");

    // A line per font, its name then the sample; the samples all start at the same x, as the
    // names are padded in a fixed-pitch font.
    const QList<QList<Word>> fontLines = lines.mid(4, families.size());
    std::optional<double> sampleX;
    for (qsizetype i = 0; i < families.size(); ++i) {
        QCOMPARE(lineText(fontLines.at(i)), families.at(i) + " Bonjour");
        const double x = fontLines.at(i).constLast().x;
        if (!sampleX)
            sampleX = x;
        QVERIFY2(std::abs(x - *sampleX) < 0.5, qPrintable(families.at(i)));
    }
    QVERIFY(*sampleX > fontLines.at(3).constFirst().x + 15 * 6); // past "Liberation Mono"

    // Each sample font embedded under its own name as a subset with its characters.
    const QString fonts = PdfTools::run(QStringLiteral("pdffonts"), {pdf});
    for (const char *name :
         {"DejaVuSans", "DejaVuSerif", "LiberationMono", "LiberationSans", "LiberationSerif"}) {
        const QRegularExpression embedded(
            QStringLiteral("^[A-Z]{6}\\+%1\\s.*\\syes\\s+yes\\s+yes\\s").arg(name),
            QRegularExpression::MultilineOption);
        QVERIFY2(embedded.match(fonts).hasMatch(), qPrintable(name + ("\n" + fonts)));
    }
}

void TestCataloguePrinting::samplesNeverBorrowGlyphs()
{
    // Of the test fonts only DejaVu Sans has the white chess king: Liberation Serif shows its own
    // missing-glyph box, and no other font comes into the file.
    CataloguePrinting printing(
        sources({QStringLiteral("Liberation Serif")}, QStringLiteral("\u2654")), m_window.get());
    const QString fonts = PdfTools::run(QStringLiteral("pdffonts"), {printToPdf(printing)});
    QVERIFY2(fonts.contains(QLatin1String("LiberationSerif")), qPrintable(fonts));
    QVERIFY2(!fonts.contains(QLatin1String("DejaVu")), qPrintable(fonts));
}

void TestCataloguePrinting::samplesLineUpAfterAnyName()
{
    // Characters the names' fixed-pitch font lacks are drawn from another font that has them,
    // at other widths (the emoji, from DejaVu Sans), or as its missing-glyph box when none has
    // them (the ideographs): the samples still start at one x. The two odd families are not
    // installed: their names print, their samples cannot, and the closing message counts them.
    const QStringList families {QStringLiteral("Liberation Sans"),
                                QStringLiteral("QA \U0001F600 Émoji"),
                                QStringLiteral("QA \u6F22\u5B57"), QStringLiteral("DejaVu Sans")};
    CataloguePrinting printing(sources(families, QStringLiteral("Bonjour")), m_window.get());
    const QList<QList<Word>> lines = pdfLines(printToPdf(printing));
    QList<double> sampleX;
    QStringList names;
    for (const QList<Word> &line : lines) {
        if (line.size() > 1 && line.constLast().text == QLatin1String("Bonjour"))
            sampleX.append(line.constLast().x);
        if (line.constFirst().text == QLatin1String("QA"))
            names.append(lineText(line));
    }
    QCOMPARE(sampleX.size(), 2);
    QCOMPARE(sampleX.constFirst(), sampleX.constLast());
    QCOMPARE(names.size(), 2);
    QCOMPARE(names.constFirst(), families.at(1));
    QCOMPARE(m_messages->texts,
             QStringList {CataloguePrinting::CompletedMessage
                          + QStringLiteral("\n2 polices n'ont pas pu être imprimées : ")
                          + families.at(1) + QStringLiteral(", ") + families.at(2)});
}

void TestCataloguePrinting::closingMessageNamesWhatIsLeftOut_data()
{
    QTest::addColumn<QStringList>("leftOut");
    QTest::addColumn<QString>("message");
    QTest::newRow("none") << QStringList() << CataloguePrinting::CompletedMessage;
    QTest::newRow("one") << QStringList {"Fixed"}
                         << CataloguePrinting::CompletedMessage
            + QStringLiteral("\n1 police n'a pas pu être imprimée : Fixed");
    QStringList many;
    for (int i = 10; i < 35; ++i)
        many.append(QStringLiteral("F%1").arg(i));
    QTest::newRow("more than the message can name") << many
                                                    << CataloguePrinting::CompletedMessage
            + QStringLiteral("\n25 polices n'ont pas pu être imprimées : ")
            + many.first(20).join(QStringLiteral(", ")) + QStringLiteral(" et 5 autres");
}

void TestCataloguePrinting::closingMessageNamesWhatIsLeftOut()
{
    QFETCH(QStringList, leftOut);
    QTEST(CataloguePrinting::completedMessage(leftOut), "message");
}

void TestCataloguePrinting::dialogOffersNoPageRange()
{
    // A catalogue is printed whole: the dialog's page ranges stay greyed out.
    CataloguePrinting printing(sources({"A"}, QStringLiteral("Bonjour")), m_window.get());
    QStringList enabled;
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        for (const char *name : {"printRange", "pagesRadioButton", "pagesLineEdit", "from", "to"}) {
            auto *control = dialog->findChild<QWidget *>(QLatin1String(name));
            if (control && control->isEnabled())
                enabled.append(QLatin1String(name));
        }
        QVERIFY(dialog->findChild<QAbstractButton *>(QStringLiteral("printAll"))->isChecked());
        dialog->reject();
    });
    printing.run();
    QVERIFY(seen);
    QCOMPARE(enabled, QStringList());
    QCOMPARE(m_messages->texts, QStringList());
}

void TestCataloguePrinting::longListPages()
{
    QStringList families;
    for (int i = 0; i < 40; ++i)
        families += FontFamilies::installed();
    CataloguePrinting printing(sources(families, QStringLiteral("Bonjour")), m_window.get());
    const QString pdf = printToPdf(printing);

    const int pages = PdfTools::pages(pdf);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    const QList<QList<Word>> lines = pdfLines(pdf);
    QCOMPARE(lines.constLast().constFirst().page, pages); // no blank page at the end
    int samples = 0;
    for (const QList<Word> &line : lines)
        samples += lineText(line).endsWith(QLatin1String(" Bonjour"));
    QCOMPARE(samples, families.size());

    // Later pages begin with a font line, at the top of the printable area: no header again.
    const double top = QPrinter().pageLayout().paintRectPoints().top();
    for (int page = 2; page <= pages; ++page) {
        const auto first = std::find_if(lines.cbegin(), lines.cend(), [page](const auto &line) {
            return line.constFirst().page == page;
        });
        QVERIFY(first != lines.cend());
        QVERIFY2(lineText(*first).endsWith(QLatin1String(" Bonjour")),
                 qPrintable(lineText(*first)));
        QVERIFY(first->constFirst().y - top < 4);
    }
}

void TestCataloguePrinting::wideSampleWraps()
{
    CataloguePrinting printing(sources({QStringLiteral("DejaVu Serif")}, QString(), 72),
                               m_window.get());
    const QString pdf = printToPdf(printing);

    const QList<QList<Word>> lines = pdfLines(pdf);
    QStringList texts;
    for (const QList<Word> &line : lines)
        texts.append(lineText(line));
    QVERIFY(texts.contains(QStringLiteral("(...Impression de la chaîne par défaut...)")));
    const qsizetype fontLine = texts.indexOf(QRegularExpression(QStringLiteral("DejaVu Serif .*")));
    QVERIFY2(fontLine > 0, qPrintable(texts.join(QLatin1Char('\n'))));
    // The sample goes on at the left edge of the following lines, whole.
    QString sample = lines.at(fontLine).constLast().text;
    const double left = QPrinter().pageLayout().paintRectPoints().left();
    qsizetype next = fontLine + 1;
    for (; !texts.at(next).startsWith(QLatin1String("Merci")); ++next) {
        QCOMPARE(lines.at(next).size(), 1);
        QVERIFY(std::abs(lines.at(next).constFirst().x - left) < 6);
        sample += texts.at(next);
    }
    QVERIFY(next > fontLine + 1);
    QCOMPARE(sample, FontCatalogue::DefaultSample);
}

void TestCataloguePrinting::stopFromTheProgressWindow()
{
    const QStringList families = FontFamilies::installed();
    CataloguePrinting printing(sources(families, QStringLiteral("Bonjour")), m_window.get());
    bool windowUsable = false;
    connect(&printing, &CataloguePrinting::progressed, this, [&](qsizetype printed) {
        if (printed != 2)
            return;
        windowUsable = QApplication::activeModalWidget() == nullptr && m_window->isEnabled();
        auto *progress = m_window->findChild<QProgressDialog *>();
        QVERIFY(progress && progress->isVisible());
        // Brought up to date every few lines.
        QVERIFY(QRegularExpression(QStringLiteral("^Impression des fontes : [0-2] sur 6$"))
                    .match(progress->labelText())
                    .hasMatch());
        const QList<QPushButton *> buttons = progress->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.constFirst()->text(), "Arrêter");
        buttons.constFirst()->click();
    });
    const QString pdf = printToPdf(printing);
    QVERIFY(windowUsable);
    QVERIFY(!printing.isPrinting());
    QCOMPARE(m_window->findChild<QProgressDialog *>(), nullptr);
    QCOMPARE(m_messages->texts, QStringList {CataloguePrinting::CompletedMessage});

    QStringList texts;
    for (const QList<Word> &line : pdfLines(pdf))
        texts.append(lineText(line));
    QCOMPARE(texts.filter(QStringLiteral(" Bonjour")).size(), 2);
    QCOMPARE(texts.constLast(), "Merci d'avoir utilisé Glyphor 3.5");
}

void TestCataloguePrinting::printerThatCannotStart()
{
    CataloguePrinting printing(sources({"A"}, QStringLiteral("Bonjour")), m_window.get());
    const QString pdf = printToPdf(printing, "missing-folder/catalogue.pdf");
    QCOMPARE(m_messages->texts, QStringList {"Impossible d'écrire dans " + pdf});
    QVERIFY(!QFile::exists(pdf));
}

void TestCataloguePrinting::fullDiskKeepsTheFileItWouldReplace()
{
    if (geteuid() != 0)
        QSKIP("a small disk (tmpfs) is mounted by root only");
    const QString folder = m_dir.filePath(QStringLiteral("full"));
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(QProcess::execute(QStringLiteral("mount"),
                               {"-t", "tmpfs", "-o", "size=16k", "tmpfs", folder}),
             0);
    const auto unmount = qScopeGuard([&] {
        QProcess::execute(QStringLiteral("umount"), {"-l", folder});
    });
    const QString pdf = folder + QStringLiteral("/catalogue.pdf");
    QFile old(pdf);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("last week's catalogue") > 0);
    old.close();

    CataloguePrinting printing(sources(FontFamilies::installed(), QStringLiteral("Bonjour")),
                               m_window.get());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printing.print(printer);

    QCOMPARE(m_messages->texts,
             QStringList {"L'impression a échoué : le disque est plein, " + pdf
                          + " n'a pas pu être écrit en entier"});
    // The file it would have replaced is whole, nothing is left beside it, and the printer
    // still names the user's file.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList {"catalogue.pdf"});
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), "last week's catalogue");
    QCOMPARE(printer.outputFileName(), pdf);
}

void TestCataloguePrinting::errorStillEndsTheJob()
{
    CataloguePrinting::Sources failing
        = sources(FontFamilies::installed(), QStringLiteral("Bonjour"));
    int lines = 0;
    failing.sampleSize = [&lines] {
        if (++lines == 2)
            throw std::runtime_error("failed");
        return 12;
    };
    CataloguePrinting printing(failing, m_window.get());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, printToPdf(printing));
    QVERIFY(!printing.isPrinting());
    QCOMPARE(m_messages->texts, QStringList {CataloguePrinting::CompletedMessage});
    QCOMPARE(PdfTools::pages(m_dir.filePath("catalogue.pdf")), 1);
}

QTEST_MAIN(TestCataloguePrinting)
#include "tst_catalogueprinting.moc"
