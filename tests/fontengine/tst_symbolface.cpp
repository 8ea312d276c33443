#include "symbolface.h"

#include <QTest>

// What makes a symbol font, on fonts made for the test with each kind of character map.
class TestSymbolFace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(FT_Init_FreeType(&m_library) == 0); }
    void cleanupTestCase() { FT_Done_FreeType(m_library); }
    void symbolFonts_data();
    void symbolFonts();

private:
    FT_Library m_library = nullptr;
};

void TestSymbolFace::symbolFonts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("symbolMap"); // the engine reaches glyphs through a symbol map
    QTest::addColumn<bool>("symbol");

    QTest::newRow("letters") << "text.ttf" << false << false;
    QTest::newRow("letters and fewer symbols") << "text-some-symbols.ttf" << false << false;
    QTest::newRow("mostly symbols") << "mostly-symbols.ttf" << false << true;
    QTest::newRow("mostly private-use icons") << "icons.ttf" << false << true;
    QTest::newRow("letters, OS/2 class symbolic") << "symbolic-class.ttf" << false << true;
    QTest::newRow("Microsoft symbol map") << "microsoft-symbol.ttf" << true << true;
    QTest::newRow("Adobe custom encoding") << "custom-encoding.cff" << true << true;
}

void TestSymbolFace::symbolFonts()
{
    QFETCH(QString, file);
    QFETCH(bool, symbolMap);
    QFETCH(bool, symbol);
    const QByteArray path = QByteArray(GLYPHOR_SYMBOL_FONTS) + '/' + file.toUtf8();
    FT_Face face = nullptr;
    QVERIFY2(FT_New_Face(m_library, path.constData(), 0, &face) == 0, path.constData());
    const bool hasSymbolMap = SymbolFace::symbolCharmap(face) != nullptr;
    const bool isSymbol = SymbolFace::isSymbolFont(face);
    FT_Done_Face(face);
    QCOMPARE(hasSymbolMap, symbolMap);
    QCOMPARE(isSymbol, symbol);
}

QTEST_APPLESS_MAIN(TestSymbolFace)
#include "tst_symbolface.moc"
