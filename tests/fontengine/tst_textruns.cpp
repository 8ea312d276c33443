#include "textruns.h"

#include <QMap>
#include <QTest>

// A line's runs in the order they are seen: levels from the bidirectional algorithm, runs split
// where the script or the level changes.
class TestTextRuns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void visualOrder_data();
    void visualOrder();
    void letterSpacingOncePerCluster_data();
    void letterSpacingOncePerCluster();
};

namespace {

const QString Shalom = QStringLiteral("\u05E9\u05DC\u05D5\u05DD"); // Hebrew
const QString Olam = QStringLiteral("\u05E2\u05D5\u05DC\u05DD"); // Hebrew
const QString Alef = QStringLiteral("\u05D0");
const QString Bet = QStringLiteral("\u05D1");
const QString Marhaba = QStringLiteral("\u0645\u0631\u062D\u0628\u0627"); // Arabic
const QString ArabicDigits = QStringLiteral("\u0661\u0662\u0663");
const QString PointedShalom = QStringLiteral("\u05E9\u05C1\u05B8\u05DC\u05D5\u05B9\u05DD");

QString tag(quint32 script)
{
    const char letters[]
        = {char(script >> 24), char(script >> 16), char(script >> 8), char(script), '\0'};
    return QString::fromLatin1(letters);
}

} // namespace

void TestTextRuns::visualOrder_data()
{
    QTest::addColumn<QString>("text");
    // Each run from left to right: its level, its script and its characters (in logical order).
    QTest::addColumn<QStringList>("runs");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("left to right only")
        << QStringLiteral("Portez ce vieux") << QStringList {u"0 Latn Portez ce vieux"_qs};

    // Right-to-left letters in a left-to-right line; blanks between opposite directions take
    // the line's.
    QTest::newRow("Hebrew word among Latin")
        << u"abc "_qs + Shalom + u" def"_qs
        << QStringList {u"0 Latn abc "_qs, u"1 Hebr "_qs + Shalom, u"0 Latn  def"_qs};
    QTest::newRow("Hebrew then Arabic, right-to-left runs reversed")
        << u"abc "_qs + Shalom + u" "_qs + Marhaba
        << QStringList {u"0 Latn abc "_qs, u"1 Arab "_qs + Marhaba,
                        u"1 Hebr "_qs + Shalom + u" "_qs};
    QTest::newRow("Latin among Arabic")
        << Marhaba + u" abc "_qs + Marhaba
        << QStringList {u"1 Arab "_qs + Marhaba, u"0 Latn  abc "_qs, u"1 Arab "_qs + Marhaba};

    // Numbers: left to right within right-to-left text.
    QTest::newRow("number between Hebrew words")
        << Shalom + u" 123 "_qs + Olam
        << QStringList {u"1 Hebr  "_qs + Olam, u"2 Zyyy 123"_qs, u"1 Hebr "_qs + Shalom + u" "_qs};
    QTest::newRow("percent sign stays with its number")
        << Alef + u" 5% "_qs + Bet
        << QStringList {u"1 Hebr  "_qs + Bet, u"2 Zyyy 5%"_qs, u"1 Hebr "_qs + Alef + u" "_qs};
    QTest::newRow("European digits after Arabic") << Marhaba
            + u" 123"_qs << QStringList {u"2 Zyyy 123"_qs, u"1 Arab "_qs + Marhaba + u" "_qs};
    QTest::newRow("Arabic digits after Latin") << u"abc "_qs
            + ArabicDigits << QStringList {u"0 Latn abc "_qs, u"2 Arab "_qs + ArabicDigits};

    // Neutrals: with the letters on both sides when they agree, else the line's direction.
    QTest::newRow("punctuation between Hebrew letters")
        << u"abc "_qs + Alef + u", "_qs + Bet + u" def"_qs
        << QStringList {u"0 Latn abc "_qs, u"1 Hebr "_qs + Alef + u", "_qs + Bet,
                        u"0 Latn  def"_qs};
    QTest::newRow("punctuation between Hebrew and Latin")
        << Alef + u"! abc"_qs << QStringList {u"1 Hebr "_qs + Alef, u"0 Latn ! abc"_qs};
    QTest::newRow("right-to-left mark takes the punctuation")
        << Alef + u"!\u200F abc"_qs
        << QStringList {u"1 Hebr "_qs + Alef + u"!\u200F"_qs, u"0 Latn  abc"_qs};
    QTest::newRow("brackets around Hebrew after Hebrew")
        << Alef + u" ("_qs + Bet + u") abc"_qs
        << QStringList {u"1 Hebr "_qs + Alef + u" ("_qs + Bet + u")"_qs, u"0 Latn  abc"_qs};

    // Explicit direction controls.
    QTest::newRow("override draws Latin right to left")
        << u"x \u202Eabc\u202C y"_qs
        << QStringList {u"0 Latn x "_qs, u"1 Latn \u202Eabc"_qs, u"0 Latn \u202C y"_qs};
    QTest::newRow("right-to-left isolate")
        << u"x \u2067abc "_qs + Alef + u"\u2069 y"_qs
        << QStringList {u"0 Latn x \u2067"_qs, u"1 Hebr  "_qs + Alef, u"2 Latn abc"_qs,
                        u"0 Latn \u2069 y"_qs};

    // Marks stay with their letter.
    QTest::newRow("marks on Latin and Hebrew letters") << u"e\u0301 "_qs
            + PointedShalom << QStringList {u"0 Latn e\u0301 "_qs, u"1 Hebr "_qs + PointedShalom};
    QTest::newRow("mark opening the line")
        << u"\u0301abc"_qs << QStringList {u"0 Latn \u0301abc"_qs};

    // Scripts: one run each, blanks with the letters before them.
    QTest::newRow("Latin, Greek, Cyrillic")
        << u"abc \u03B1\u03B2\u03B3 \u0430\u0431\u0432"_qs
        << QStringList {u"0 Latn abc "_qs, u"0 Grek \u03B1\u03B2\u03B3 "_qs,
                        u"0 Cyrl \u0430\u0431\u0432"_qs};
    QTest::newRow("ideographs") << u"a\u4E2D\u6587b"_qs
                                << QStringList {u"0 Latn a"_qs, u"0 Hani \u4E2D\u6587"_qs,
                                                u"0 Latn b"_qs};
    QTest::newRow("emoji among Latin")
        << u"a \U0001F600 b"_qs << QStringList {u"0 Latn a \U0001F600 b"_qs};
    QTest::newRow("right-to-left letters outside the BMP")
        << u"abc \U00010900\U00010901"_qs
        << QStringList {u"0 Latn abc "_qs, u"1 Phnx \U00010900\U00010901"_qs};
}

void TestTextRuns::visualOrder()
{
    QFETCH(QString, text);
    QFETCH(QStringList, runs);
    QStringList seen;
    qsizetype covered = 0;
    for (const TextRun &run : visualRuns(text)) {
        seen << QStringLiteral("%1 %2 %3")
                    .arg(run.level)
                    .arg(tag(run.script), text.mid(run.start, run.length));
        covered += run.length;
    }
    QCOMPARE(seen, runs);
    QCOMPARE(covered, text.size());
}

void TestTextRuns::letterSpacingOncePerCluster_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("clusters");
    // x has no precomposed acute: a letter and its mark, two glyphs in one cluster.
    QTest::newRow("letter and mark") << u"ax\u0301b"_qs << 3;
    QTest::newRow("right to left, pointed") << PointedShalom << 4;
    // Spaced letters are not joined into a ligature.
    QTest::newRow("no ligature") << u"fi"_qs << 2;
}

void TestTextRuns::letterSpacingOncePerCluster()
{
    QFETCH(QString, text);
    QFETCH(int, clusters);
    hb_blob_t *blob = hb_blob_create_from_file(GLYPHOR_TEST_FONTS_DIR "/files/DejaVuSans.ttf");
    hb_face_t *face = hb_face_create(blob, 0);
    hb_font_t *font = hb_font_create(face);
    hb_font_set_scale(font, 2000, 2000); // an em of 2,000: a tenth of it is 200
    const std::vector<TextRun> runs = visualRuns(text);
    QCOMPARE(runs.size(), size_t(1));
    // Compared with the letters unspaced and unjoined.
    Typography unjoined;
    unjoined.features.insert("liga", false);
    Typography typography;
    typography.letterSpacing = 100;
    hb_buffer_t *plain = hb_buffer_create();
    hb_buffer_t *spaced = hb_buffer_create();
    shapeRun(plain, font, text, runs.front(), RunShaping(unjoined));
    shapeRun(spaced, font, text, runs.front(), RunShaping(typography));

    unsigned count = 0;
    const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(spaced, &count);
    const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(spaced, &count);
    unsigned plainCount = 0;
    const hb_glyph_position_t *plainPositions = hb_buffer_get_glyph_positions(plain, &plainCount);
    QCOMPARE(count, plainCount);
    QMap<unsigned, int> added; // by cluster
    for (unsigned i = 0; i < count; ++i) {
        added[infos[i].cluster] += positions[i].x_advance - plainPositions[i].x_advance;
        QCOMPARE(positions[i].x_offset, plainPositions[i].x_offset);
        QCOMPARE(positions[i].y_offset, plainPositions[i].y_offset);
    }
    QCOMPARE(added.size(), clusters);
    for (const int spacing : std::as_const(added))
        QCOMPARE(spacing, 200);
    hb_buffer_destroy(spaced);
    hb_buffer_destroy(plain);
    hb_font_destroy(font);
    hb_face_destroy(face);
    hb_blob_destroy(blob);
}

QTEST_MAIN(TestTextRuns)
#include "tst_textruns.moc"
