#include "fontrename.h"
#include "testfiles.h"

#include <QTest>
#include <QtEndian>

#include <fontconfig/fontconfig.h>
// after fontconfig.h, which it needs
#include <fontconfig/fcfreetype.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <memory>
#include <tuple>

// Font files given another family name, read back by FreeType and fontconfig as Qt reads them:
// what must change, what must stay byte for byte, and what must be refused.
class TestFontRename : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void renamed_data();
    void renamed();
    void refused_data();
    void refused();

private:
    FT_Library m_library = nullptr;
};

namespace {

constexpr FT_ULong NameTag = FT_MAKE_TAG('n', 'a', 'm', 'e');

QByteArray testFont(const char *file)
{
    return readBytes(QStringLiteral(GLYPHOR_TEST_FONT_FILES "/") + QLatin1String(file));
}

using Face = std::unique_ptr<FT_FaceRec_, decltype(&FT_Done_Face)>;

Face open(FT_Library library, const QByteArray &font)
{
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte *>(font.constData()),
                           FT_Long(font.size()), 0, &face)
        != 0)
        face = nullptr;
    return Face(face, FT_Done_Face);
}

// Each table as FreeType reads it, by tag.
QList<QPair<FT_ULong, QByteArray>> tables(FT_Face face)
{
    QList<QPair<FT_ULong, QByteArray>> found;
    FT_ULong count = 0;
    FT_Sfnt_Table_Info(face, 0, nullptr, &count);
    for (FT_UInt i = 0; i < count; ++i) {
        FT_ULong tag = 0;
        FT_ULong length = 0;
        FT_Sfnt_Table_Info(face, i, &tag, &length);
        QByteArray bytes(qsizetype(length), '\0');
        FT_Load_Sfnt_Table(face, tag, 0, reinterpret_cast<FT_Byte *>(bytes.data()), &length);
        found.append({tag, bytes});
    }
    return found;
}

struct Name
{
    FT_UShort platform, encoding, language, id;
    QByteArray text;
    bool operator==(const Name &) const = default;
};

QList<Name> names(FT_Face face)
{
    QList<Name> found;
    for (FT_UInt i = 0; i < FT_Get_Sfnt_Name_Count(face); ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) == 0)
            found.append({name.platform_id, name.encoding_id, name.language_id, name.name_id,
                          QByteArray(reinterpret_cast<const char *>(name.string),
                                     qsizetype(name.string_len))});
    }
    return found;
}

bool familyName(const Name &name)
{
    return name.id == TT_NAME_ID_FONT_FAMILY || name.id == TT_NAME_ID_TYPOGRAPHIC_FAMILY
        || name.id == TT_NAME_ID_WWS_FAMILY;
}

// The families fontconfig lists for the face, as it lists an application font for Qt.
QStringList fontconfigFamilies(FT_Face face)
{
    QStringList families;
    FcPattern *pattern
        = FcFreeTypeQueryFace(face, reinterpret_cast<const FcChar8 *>("mem"), 0, nullptr);
    FcChar8 *family = nullptr;
    for (int i = 0; pattern && FcPatternGetString(pattern, FC_FAMILY, i, &family) == FcResultMatch;
         ++i)
        families << QString::fromUtf8(reinterpret_cast<const char *>(family));
    if (pattern)
        FcPatternDestroy(pattern);
    return families;
}

quint32 get32(const QByteArray &data, qsizetype at)
{
    return qFromBigEndian<quint32>(data.constData() + at);
}

void put16(QByteArray &data, qsizetype at, quint16 value)
{
    qToBigEndian(value, data.data() + at);
}

void put32(QByteArray &data, qsizetype at, quint32 value)
{
    qToBigEndian(value, data.data() + at);
}

// Where the table directory lists the table tagged tag.
qsizetype recordOf(const QByteArray &font, const char *tag)
{
    const int count = qFromBigEndian<quint16>(font.constData() + 4);
    for (int i = 0; i < count; ++i) {
        if (font.mid(12 + 16 * i, 4) == tag)
            return 12 + 16 * i;
    }
    return -1;
}

// A file of one name table, after count table records claiming the whole file.
QByteArray withName(const QByteArray &name, int claims = 0)
{
    const int count = 1 + claims;
    QByteArray font(12 + 16 * count, '\0');
    put32(font, 0, 0x00010000);
    put16(font, 4, quint16(count));
    const qsizetype size = font.size() + name.size();
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 12 + 16 * i;
        font.replace(record, 4, i == 0 ? "name" : "glyf");
        put32(font, record + 8, i == 0 ? quint32(font.size()) : 0);
        put32(font, record + 12, quint32(i == 0 ? name.size() : size));
    }
    return font + name;
}

// A name table of that many records, each an empty string.
QByteArray nameTable(int records)
{
    QByteArray name(6 + 12 * records, '\0');
    put16(name, 2, quint16(records));
    for (int i = 0; i < records; ++i) {
        put16(name, 6 + 12 * i, 3);
        put16(name, 6 + 12 * i + 2, 1);
        put16(name, 6 + 12 * i + 4, 0x409);
        put16(name, 6 + 12 * i + 6, quint16(256 + i));
    }
    return name;
}

} // namespace

void TestFontRename::initTestCase()
{
    QCOMPARE(FT_Init_FreeType(&m_library), 0);
}

void TestFontRename::cleanupTestCase()
{
    FT_Done_FreeType(m_library);
}

void TestFontRename::renamed_data()
{
    QTest::addColumn<QByteArray>("font");
    QTest::addColumn<QString>("family");

    const QByteArray sans = testFont("LiberationSans-Regular.ttf");
    QTest::newRow("plain name") << sans << QStringLiteral("Glyphor Renamed 1");
    QTest::newRow("accents and brackets")
        << sans << QStringLiteral("\u00C9\u00E0\u00FC Accent [Fonderie]");
    QTest::newRow("outside the BMP") << sans << QStringLiteral("Emoji \U0001F600 Face");
    QTest::newRow("long name") << sans << QString(10000, u'x');
    // Typographic family names too (DejaVu's), which readers prefer to the legacy one.
    QTest::newRow("typographic family dropped")
        << testFont("DejaVuSans-Bold.ttf") << QStringLiteral("Glyphor Renamed 2");
}

void TestFontRename::renamed()
{
    QFETCH(QByteArray, font);
    QFETCH(QString, family);

    const QByteArray renamed = FontRename::withFamily(font, family);
    const Face before = open(m_library, font);
    const Face after = open(m_library, renamed);
    QVERIFY(before && after);
    QCOMPARE(fontconfigFamilies(after.get()), QStringList {family});

    // Every table but the names, byte for byte and in the same order.
    QList<QPair<FT_ULong, QByteArray>> kept = tables(before.get());
    QList<QPair<FT_ULong, QByteArray>> tablesAfter = tables(after.get());
    QCOMPARE(tablesAfter.size(), kept.size());
    for (qsizetype i = 0; i < kept.size(); ++i) {
        QCOMPARE(tablesAfter[i].first, kept[i].first);
        if (kept[i].first != NameTag)
            QVERIFY2(tablesAfter[i].second == kept[i].second, qPrintable(QString::number(i)));
    }

    // Every name but the family names, byte for byte; one family name, in the record every
    // reader looks for (Windows, Unicode, US English).
    QList<Name> expected;
    for (const Name &name : names(before.get())) {
        if (!familyName(name))
            expected.append(name);
    }
    QByteArray utf16(family.size() * 2, '\0');
    qToBigEndian<quint16>(family.utf16(), family.size(), utf16.data());
    expected.append({TT_PLATFORM_MICROSOFT, TT_MS_ID_UNICODE_CS, TT_MS_LANGID_ENGLISH_UNITED_STATES,
                     TT_NAME_ID_FONT_FAMILY, utf16});
    QList<Name> namesAfter = names(after.get());
    const auto order = [](const Name &a, const Name &b) {
        return std::tie(a.platform, a.encoding, a.language, a.id, a.text)
            < std::tie(b.platform, b.encoding, b.language, b.id, b.text);
    };
    std::sort(expected.begin(), expected.end(), order);
    std::sort(namesAfter.begin(), namesAfter.end(), order);
    QVERIFY(namesAfter == expected);
}

void TestFontRename::refused_data()
{
    QTest::addColumn<QByteArray>("font");
    QTest::addColumn<QString>("family");

    const QString family = QStringLiteral("Glyphor Renamed 1");
    const QByteArray sans = testFont("LiberationSans-Regular.ttf");
    const qsizetype name = recordOf(sans, "name");
    QVERIFY(name > 0);
    const auto changed = [&](qsizetype at, quint32 value) {
        QByteArray font = sans;
        put32(font, at, value);
        return font;
    };

    QTest::newRow("empty") << QByteArray() << family;
    QTest::newRow("shorter than its header") << sans.left(11) << family;
    QTest::newRow("table directory cut") << sans.left(12 + 16 * 3) << family;
    QTest::newRow("tables cut") << sans.left(3000) << family;
    QTest::newRow("collection") << QByteArray("ttcf") + sans.mid(4) << family;
    QTest::newRow("no name table") << changed(name, FT_MAKE_TAG('n', 'a', 'm', 'x')) << family;
    QTest::newRow("table past the end") << changed(name + 8, 0xFFFFFFF0) << family;
    QTest::newRow("name table shorter than its header") << changed(name + 12, 4) << family;
    QTest::newRow("name past its table")
        << changed(get32(sans, name + 8) + 6 + 8, 0xFFFF0000) << family;
    QTest::newRow("names beyond 16-bit offsets") << sans << QString(40000, u'x');
    // The name table's string offset is 16 bits: this many records leave it no room.
    QTest::newRow("more names than the table can hold") << withName(nameTable(5500)) << family;
    // Tables laid over each other: a small file must not make a copy thousands of times its size.
    QTest::newRow("tables claiming the file many times") << withName(nameTable(1), 4000) << family;
}

void TestFontRename::refused()
{
    QFETCH(QByteArray, font);
    QFETCH(QString, family);
    QVERIFY(FontRename::withFamily(font, family).isEmpty());
}

QTEST_MAIN(TestFontRename)
#include "tst_fontrename.moc"
