#include "displaystate.h"
#include "familytraits.h"
#include "fontcatalog.h"
#include "fontindex.h"
#include "shownfamilies.h"

#include <QSignalSpy>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>

// The list's filter, one row a case: every criterion alone and with others (they are ANDed), and
// the "Default" line, over the test fonts and the coverage fonts (a family lacking "€", one whose
// bold lacks "é", one writing Vietnamese, one with a real italic, each with a class of its own).
class TestShownFamilies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void filter_data();
    void filter();

private:
    QStringListModel m_families;
    QTemporaryDir m_cache;
    std::unique_ptr<FontIndex> m_index;
};

namespace {

struct Case
{
    QString words;
    bool canWrite = false;
    QString sample = QStringLiteral("azerty");
    bool bold = false;
    QStringList languages;
    unsigned properties = 0;
    bool favouritesOnly = false;
    unsigned classes = 0;
    Typography typography; // the fonts must have its features and axes
};

unsigned classBit(FontClass fontClass)
{
    return 1u << unsigned(fontClass);
}

} // namespace

Q_DECLARE_METATYPE(Case)

void TestShownFamilies::initTestCase()
{
    m_families.setStringList({"Default", "Cover Duo", "Cover Lacks Euro", "Cover Mono",
                              "Cover Trio", "Cover Viet", "DejaVu Sans", "DejaVu Serif",
                              "Liberation Mono", "Liberation Sans", "Liberation Serif"});
    // The classes come from the font index, read once from the files.
    m_index = std::make_unique<FontIndex>(FontCatalog::system(), m_cache.filePath("fontindex"));
    QSignalSpy finished(m_index.get(), &FontIndex::finished);
    m_index->start();
    QVERIFY(finished.wait(60000));
}

void TestShownFamilies::filter_data()
{
    QTest::addColumn<Case>("filter");
    QTest::addColumn<QStringList>("shown");

    Case c;
    c.words = QStringLiteral("LIB");
    QTest::newRow("a word, any case")
        << c << QStringList {"Liberation Mono", "Liberation Sans", "Liberation Serif"};
    c.words = QStringLiteral("cover u");
    QTest::newRow("every word") << c << QStringList {"Cover Duo", "Cover Lacks Euro"};
    c = Case();
    c.words = QStringLiteral("déf");
    QTest::newRow("\"Default\" by its name, accents aside") << c << QStringList {"Default"};

    c = Case();
    c.canWrite = true;
    c.sample = QStringLiteral("€ é");
    QTest::newRow("can write") << c << QStringList {"Default",         "Cover Duo",
                                                    "Cover Mono",      "Cover Trio",
                                                    "Cover Viet",      "DejaVu Sans",
                                                    "DejaVu Serif",    "Liberation Mono",
                                                    "Liberation Sans", "Liberation Serif"};
    c.bold = true;
    c.words = QStringLiteral("cover");
    QTest::newRow("can write, in bold, and a word")
        << c << QStringList {"Cover Mono", "Cover Trio", "Cover Viet"};

    c = Case();
    c.languages = {QStringLiteral("vi")};
    QTest::newRow("a language; \"Default\" has none")
        << c << QStringList {"Cover Viet",      "DejaVu Sans",     "DejaVu Serif",
                             "Liberation Mono", "Liberation Sans", "Liberation Serif"};
    c.words = QStringLiteral("cover");
    QTest::newRow("a language and a word") << c << QStringList {"Cover Viet"};
    c = Case();
    c.languages = {QStringLiteral("xx-unknown")};
    QTest::newRow("a language nobody knows") << c << QStringList {};

    c = Case();
    c.properties = FamilyTraits::Monospaced;
    QTest::newRow("fixed pitch") << c << QStringList {"Cover Mono", "Liberation Mono"};
    c.properties = FamilyTraits::RealItalic;
    QTest::newRow("a real italic") << c << QStringList {"Cover Trio", "Liberation Sans"};
    c.properties = FamilyTraits::RealBold | FamilyTraits::RealItalic;
    QTest::newRow("a real bold and a real italic") << c << QStringList {"Liberation Sans"};

    c = Case();
    c.favouritesOnly = true;
    QTest::newRow("favourites, one not installed")
        << c << QStringList {"Default", "Cover Viet", "Liberation Serif"};
    c.properties = FamilyTraits::RealBold;
    QTest::newRow("favourites with a real bold") << c << QStringList {"Liberation Serif"};

    c = Case();
    c.classes = classBit(FontClass::Serif);
    QTest::newRow("a class from the index")
        << c << QStringList {"Cover Viet", "DejaVu Serif", "Liberation Serif"};
    c.classes |= classBit(FontClass::Decorative);
    QTest::newRow("two classes: either")
        << c << QStringList {"Cover Duo", "Cover Viet", "DejaVu Serif", "Liberation Serif"};
    c.words = QStringLiteral("duo");
    QTest::newRow("classes and a word") << c << QStringList {"Cover Duo"};

    // Liberation has kerning and subscripts but no ligatures (its Mono no kerning), DejaVu kerning
    // and ligatures but no subscripts; none is variable.
    c = Case();
    c.typography.features = {{"liga", true}};
    QTest::newRow("a feature on; \"Default\" has none")
        << c << QStringList {"DejaVu Sans", "DejaVu Serif"};
    c.typography.features = {{"kern", false}};
    c.words = QStringLiteral("liberation");
    QTest::newRow("a feature switched off counts too")
        << c << QStringList {"Liberation Sans", "Liberation Serif"};
    c.typography.features = {{"liga", true}, {"subs", true}};
    c.words.clear();
    QTest::newRow("every feature, not one of them") << c << QStringList {};
    c = Case();
    c.typography.axes = {{"wght", 700}};
    QTest::newRow("an axis") << c << QStringList {};
    c = Case();
    c.typography.language = QStringLiteral("tr");
    c.typography.letterSpacing = 50;
    c.words = QStringLiteral("dejavu");
    QTest::newRow("language and spacing: every font")
        << c << QStringList {"DejaVu Sans", "DejaVu Serif"};
}

void TestShownFamilies::filter()
{
    QFETCH(Case, filter);
    QFETCH(QStringList, shown);
    DisplayState state;
    state.setChaine(filter.sample);
    state.setAttrGras(filter.bold);
    state.setFavourites({"Liberation Serif", "Not Installed", "Cover Viet", "Default"});
    FamilyFilter familyFilter;
    familyFilter.words = filter.words;
    familyFilter.canWriteSample = filter.canWrite;
    familyFilter.languages = filter.languages;
    familyFilter.properties = filter.properties;
    familyFilter.favouritesOnly = filter.favouritesOnly;
    familyFilter.classes = filter.classes;
    familyFilter.hasTypography = !filter.typography.isDefault();
    state.setFilter(familyFilter);
    state.setTypography(filter.typography);

    ShownFamilies families(&m_families, FontCatalog::system());
    families.setFontIndex(m_index.get());
    families.apply(state, 16);
    QVERIFY(families.filtering());
    QCOMPARE(families.shownFamilies(), shown);
}

QTEST_MAIN(TestShownFamilies)
#include "tst_shownfamilies.moc"
