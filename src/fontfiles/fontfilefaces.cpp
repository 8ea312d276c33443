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
        // The set lets go of its reference when destroyed; this one goes with the faces.
        FcPatternReference(set->fonts[i]);
        faces.append(set->fonts[i]);
    }
    return Outcome::Read;
}

} // namespace FontFileFaces
