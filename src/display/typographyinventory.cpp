#include "typographyinventory.h"

#include <QHash>

#include <algorithm>

TypographyInventory TypographyInventory::count(const QStringList &families, const FacesOf &facesOf)
{
    // By the tag's text as the index holds it: no conversion per face, and one lookup per tag.
    struct Count
    {
        int families = 0;
        qsizetype lastFamily = -1; // the family last counted, so that its other faces are not
    };
    QHash<QString, Count> features;
    TypographyInventory inventory;
    for (qsizetype family = 0; family < families.size(); ++family) {
        for (const FontIndex::LayoutTags &face : facesOf(families[family])) {
            for (const QString &tag : face.features) {
                Count &count = features[tag];
                if (count.lastFamily != family) {
                    count.lastFamily = family;
                    ++count.families;
                }
            }
            for (const FaceMetadata::Axis &axis : face.axes) {
                const auto known = inventory.axes.find(axis.tag);
                if (known == inventory.axes.end()) {
                    inventory.axes.insert(axis.tag,
                                          {axis.minimum, axis.defaultValue, axis.maximum});
                } else {
                    known->minimum = std::min(known->minimum, axis.minimum);
                    known->maximum = std::max(known->maximum, axis.maximum);
                }
            }
        }
    }
    for (auto feature = features.cbegin(); feature != features.cend(); ++feature)
        inventory.features.insert(feature.key().toLatin1(), feature.value().families);
    return inventory;
}
