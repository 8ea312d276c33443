#include "fontfilefaces.h"

#include "facepatterns.h"

#include <QFile>
#include <QFileInfo>

#include <fontconfig/fontconfig.h>

#include <memory>

namespace {

struct FontSetDestroy
{
    void operator()(FcFontSet *set) const { FcFontSetDestroy(set); }
};

// What the catalogue, the lines and the details window read of a face. fontconfig describes a
// file with some thirty properties and the names in every language; an opened folder of
// thousands of faces keeps only these, in half the memory. Only read once built, by any thread.
FcObjectSet *keptProperties()
{
    static const std::unique_ptr<FcObjectSet, decltype(&FcObjectSetDestroy)> kept(
        FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_STYLE, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT,
                         FC_WIDTH, FC_SCALABLE, FC_PIXEL_SIZE, FC_VARIABLE, FC_SPACING, FC_COLOR,
                         FC_CHARSET, FC_LANG, nullptr),
        &FcObjectSetDestroy);
    return kept.get();
}

} // namespace

namespace FontFileFaces {

Outcome read(const QString &file, FacePatterns &faces)
{
    const std::unique_ptr<FcFontSet, FontSetDestroy> set(FcFontSetCreate());
    const QByteArray name = QFile::encodeName(file);
    int count = 0;
    // Every face and every named instance.
    const unsigned int id = ~0u;
    if (!set
        || FcFreeTypeQueryAll(reinterpret_cast<const FcChar8 *>(name.constData()), id, nullptr,
                              &count, set.get())
            == 0)
        return QFileInfo::exists(file) ? Outcome::NotAFont : Outcome::Missing;
    for (int i = 0; i < set->nfont; ++i) {
        // A copy of what is kept; the set frees the whole record.
        if (FcPattern *kept = FcPatternFilter(set->fonts[i], keptProperties()))
            faces.append(kept);
    }
    return Outcome::Read;
}

} // namespace FontFileFaces
