#include "facedescription.h"

#include "facerecord.h"

#include <cmath>

namespace FaceDescription {

namespace {

QString weightWord(int openType)
{
    // The names of OpenType's weight classes, each covering the numbers nearest it.
    static const struct
    {
        int below;
        const char *word;
    } words[] = {{150, "extra-fin"}, {250, "extra-léger"}, {350, "léger"},
                 {450, "normal"},    {550, "medium"},      {650, "demi-gras"},
                 {750, "gras"},      {850, "extra-gras"},  {INT_MAX, "noir"}};
    for (const auto &word : words) {
        if (openType < word.below)
            return QString::fromUtf8(word.word);
    }
    return {};
}

} // namespace

QString describe(int fontconfigWeight, int fontconfigWidth, int fontconfigSlant)
{
    const int weight = int(std::lround(FaceRecord::openTypeWeight(fontconfigWeight)));
    QString text = QStringLiteral("graisse %1 (%2)").arg(weight).arg(weightWord(weight));
    if (fontconfigWidth < FaceRecord::NormalWidth)
        text += QStringLiteral(", étroit");
    else if (fontconfigWidth > FaceRecord::NormalWidth)
        text += QStringLiteral(", large");
    if (fontconfigSlant >= FaceRecord::ObliqueSlant)
        text += QStringLiteral(", oblique");
    else if (fontconfigSlant >= FaceRecord::ItalicSlant)
        text += QStringLiteral(", italique");
    else
        text += QStringLiteral(", droit");
    return text;
}

} // namespace FaceDescription
