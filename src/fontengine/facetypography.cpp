#include "facetypography.h"

#include <hb-ot.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace {

QByteArray tagName(hb_tag_t tag)
{
    char name[4];
    hb_tag_to_string(tag, name);
    return QByteArray(name, 4);
}

void addFeatureTags(hb_face_t *face, hb_tag_t table, QList<QByteArray> &features)
{
    // Read in pieces: a damaged table may claim far more features than it holds.
    hb_tag_t tags[64];
    for (unsigned start = 0;;) {
        unsigned count = std::size(tags);
        const unsigned total
            = hb_ot_layout_table_get_feature_tags(face, table, start, &count, tags);
        for (unsigned i = 0; i < count; ++i)
            features.append(tagName(tags[i]));
        start += count;
        if (count == 0 || start >= total)
            break;
    }
}

} // namespace

FaceTypography FaceTypography::of(hb_face_t *face, bool variable)
{
    FaceTypography offered;
    addFeatureTags(face, HB_OT_TAG_GSUB, offered.features);
    addFeatureTags(face, HB_OT_TAG_GPOS, offered.features);
    // An old kerning table kerns without a GPOS feature, and switching 'kern' off stops it.
    hb_blob_t *kern = hb_face_reference_table(face, HB_TAG('k', 'e', 'r', 'n'));
    if (hb_blob_get_length(kern) > 0)
        offered.features.append(QByteArrayLiteral("kern"));
    hb_blob_destroy(kern);
    std::sort(offered.features.begin(), offered.features.end());
    offered.features.erase(std::unique(offered.features.begin(), offered.features.end()),
                           offered.features.end());

    if (!variable)
        return offered;
    std::vector<hb_ot_var_axis_info_t> infos(hb_ot_var_get_axis_count(face));
    unsigned count = unsigned(infos.size());
    hb_ot_var_get_axis_infos(face, 0, &count, infos.data());
    for (unsigned i = 0; i < count; ++i) {
        const hb_ot_var_axis_info_t &info = infos[i];
        offered.axes.append(
            {tagName(info.tag), info.min_value, info.default_value, info.max_value, {}});
    }
    return offered;
}

QList<QByteArray> lackingTags(const Typography &typography, const FaceTypography &face)
{
    QList<QByteArray> lacking;
    for (auto feature = typography.features.cbegin(); feature != typography.features.cend();
         ++feature) {
        if (!std::binary_search(face.features.cbegin(), face.features.cend(), feature.key()))
            lacking.append(feature.key());
    }
    for (auto axis = typography.axes.cbegin(); axis != typography.axes.cend(); ++axis) {
        const bool varies
            = std::any_of(face.axes.cbegin(), face.axes.cend(),
                          [&](const VariationAxis &a) { return a.tag == axis.key(); });
        if (!varies)
            lacking.append(axis.key());
    }
    return lacking;
}

QList<double> axisCoordinates(const Typography &typography, const QList<VariationAxis> &axes,
                              const QList<double> &opened, double opticalSize)
{
    QList<double> coordinates;
    coordinates.reserve(axes.size());
    for (qsizetype i = 0; i < axes.size(); ++i) {
        const VariationAxis &axis = axes[i];
        // A range upside down (a damaged table) is taken the right way up.
        const double low = std::min(axis.minimum, axis.maximum);
        const double high = std::max(axis.minimum, axis.maximum);
        double value = i < opened.size() ? opened[i] : axis.defaultValue;
        if (const auto set = typography.axes.constFind(axis.tag);
            set != typography.axes.cend() && std::isfinite(*set))
            value = std::clamp(*set, low, high);
        else if (axis.tag == "opsz" && opticalSize > 0)
            value = std::clamp(opticalSize, low, high);
        coordinates.append(value);
    }
    return coordinates;
}
