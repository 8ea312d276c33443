#pragma once

#include "facepatterns.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

struct _FcConfig;
struct _FcPattern;

// One face of a family, as fontconfig lists it.
struct FontFace
{
    QByteArray file; // fontconfig's own string, valid while the catalogue lives (until clear())
    int index = 0; // the face within a collection
    int weight = 80; // fontconfig's scale: 80 regular, 200 bold
    int slant = 0; // 0 roman, 100 italic, 110 oblique
    int width = 100; // 100 normal
    double pixelSize = 0; // a bitmap face's only size (X11's fonts keep one per file); 0 scalable
    _FcPattern *pattern = nullptr; // fontconfig's record, owned by the configuration or catalogue
};

// How the user's fontconfig settings ask for text to be drawn.
struct RenderSettings
{
    enum class HintStyle { None, Slight, Medium, Full };
    enum class SubpixelOrder { None, Rgb, Bgr, VRgb, VBgr };
    bool antialias = true;
    bool hinting = true;
    HintStyle hintStyle = HintStyle::Slight;
    SubpixelOrder subpixelOrder = SubpixelOrder::None;
    int lcdFilter = 1; // fontconfig's FC_LCD_*: 0 none, 1 default, 2 light, 3 legacy
};

// The installed families with their faces, straight from a fontconfig configuration, without
// asking Qt: listing them costs one walk over fontconfig's records, whatever Qt knows. Or the
// families of font files opened without being installed, whose faces are handed to it.
class FontCatalog
{
public:
    // The configuration is kept referenced for the catalogue's life.
    explicit FontCatalog(_FcConfig *config);
    ~FontCatalog();
    FontCatalog(const FontCatalog &) = delete;
    FontCatalog &operator=(const FontCatalog &) = delete;

    // The catalogue of the user's whole configuration (SystemFonts' configuration), made once.
    static const FontCatalog &system();
    // The installed fonts listed again from SystemFonts' configuration as it is now (fonts
    // installed or removed). The faces given out before stay valid for the run. Nothing may read
    // the catalogue meanwhile (a font index stops first).
    static void reloadSystem();
    // The catalogue of the fonts a fontconfig configuration file names; empty when it cannot be
    // read.
    static std::unique_ptr<FontCatalog> fromConfigurationFile(const QString &path);
    // An empty catalogue for the faces of opened font files, handed to it by addFaces(). They are
    // drawn under the rules of the installed catalogue's configuration (renderSettings); a name
    // that is no opened family is answered by the installed fonts (faces(), matchFamily()), and
    // so are fallbacks (familyWithCharacter()). families() and hasFamily() are the opened ones.
    // The installed catalogue must outlive it.
    static std::unique_ptr<FontCatalog> forOpenedFiles(const FontCatalog &installed);

    // Takes the faces' records and lists them; returns the families that were not listed yet, in
    // the order families() gives them.
    QStringList addFaces(FacePatterns faces);
    // Forgets every family and frees the records handed over: the FontFace values given out
    // before, and whatever holds their records (a LineRenderer's caches), must be dropped first.
    void clear();

    // Every family, the name a face is listed under first, then the names a face gives its
    // typographic sub-families; one entry per name compared as fontconfig compares them
    // (ignoring case and blanks; the first spelling met), in the order fontconfig enumerates
    // them.
    const QStringList &families() const { return m_families; }

    // The faces of a family (its name compared as fontconfig does), or none.
    QList<FontFace> faces(const QString &family) const;
    bool hasFamily(const QString &family) const;
    // Whether one of the family's fonts is a variable font (its faces are its named instances).
    bool hasVariableFont(const QString &family) const;

    // The installed family fontconfig's rules give for a name: the name itself when installed,
    // else the first installed family its aliases list ("sans-serif", "Arial"), else the family
    // of fontconfig's best match. Empty only when no font is installed.
    QString matchFamily(const QString &name) const;

    // The installed family fontconfig would draw a character with when a text in the family near
    // lacks it: a family that has it, the nearest to near by fontconfig's rules. Empty when no
    // installed font has it. Weighs every installed font: worth keeping.
    QString familyWithCharacter(char32_t character, const QString &near) const;

    // How the user's rules ask this face to be drawn at this size (fontconfig's rules for the
    // request and for the face; no search through the installed fonts).
    RenderSettings renderSettings(const FontFace &face, double pixelSize) const;

    _FcConfig *config() const { return m_config; }

private:
    FontCatalog(_FcConfig *config, const FontCatalog *installed);
    void enumerate();
    void addPattern(_FcPattern *pattern);
    void addFace(const char *family, _FcPattern *face);

    _FcConfig *m_config;
    const FontCatalog *m_installed = nullptr; // for opened files: the fonts fallbacks come from
    std::vector<FacePatterns::Owned> m_owned; // the records handed over by addFaces()
    std::vector<_FcConfig *> m_retired; // configurations listed before a reload
    QStringList m_families;
    QList<QList<_FcPattern *>> m_patterns; // the faces of m_families[i] at i
    QHash<QByteArray, qsizetype> m_index; // family names as fontconfig compares them
};
