#include "facechoice.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstdlib>
#include <tuple>

FaceChoice chooseFace(const QList<FontFace> &faces, bool bold, bool italic, double pixelSize)
{
    const int weight = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR;
    const int slant = italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN;
    FaceChoice choice;
    std::tuple<int, int, int, double> best;
    for (qsizetype i = 0; i < faces.size(); ++i) {
        const FontFace &face = faces[i];
        const double sizeDistance
            = face.pixelSize > 0 && pixelSize > 0 ? std::abs(face.pixelSize - pixelSize) : 0;
        const std::tuple<int, int, int, double> distance {
            std::abs(face.slant - slant), std::abs(face.weight - weight),
            std::abs(face.width - FC_WIDTH_NORMAL), sizeDistance};
        if (choice.face < 0 || distance < best) {
            choice.face = i;
            best = distance;
        }
    }
    if (choice.face >= 0) {
        const FontFace &chosen = faces[choice.face];
        choice.embolden = bold && chosen.weight <= FC_WEIGHT_MEDIUM;
        choice.oblique = italic && chosen.slant == FC_SLANT_ROMAN;
    }
    return choice;
}
