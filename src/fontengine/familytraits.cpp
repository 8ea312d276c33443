#include "familytraits.h"

#include "facerecord.h"
#include "linefaces.h"

#include <fontconfig/fontconfig.h>

namespace {

FontLanguages::Set languagesOf(const FcLangSet *languages)
{
    FontLanguages::Set set;
    for (const QString &code : FaceRecord::languageCodes(languages)) {
        const int index = FontLanguages::indexOf(code);
        if (index >= 0)
            set.set(size_t(index));
    }
    return set;
}

} // namespace

FamilyTraits::FamilyTraits(const LineFaces &faces)
    : m_faces(faces)
{
    m_sets.emplace_back(); // 0: no language
    m_fontconfigSets.push_back(nullptr);
}

unsigned FamilyTraits::properties(const QString &family, bool bold, bool italic) const
{
    const LineFaces::Kind kind = m_faces.kind(family, bold, italic);
    unsigned found = 0;
    if (kind.monospaced)
        found |= Monospaced;
    if (kind.colour)
        found |= Colour;
    if (m_faces.hasVariableFont(family))
        found |= Variable;
    if (m_faces.hasRealBold(family))
        found |= RealBold;
    if (m_faces.hasRealItalic(family))
        found |= RealItalic;
    return found;
}

const FontLanguages::Set &FamilyTraits::languages(const QString &family, bool bold,
                                                  bool italic) const
{
    FcPattern *face = m_faces.face(family, bold, italic);
    if (!face)
        return m_sets.front();
    if (const auto known = m_setOfFace.constFind(face); known != m_setOfFace.cend())
        return m_sets[size_t(*known)];

    int index = 0;
    if (const FcLangSet *languages = FaceRecord::languageSet(face)) {
        const unsigned hash = FcLangSetHash(languages);
        for (auto same = m_setsByHash.constFind(hash);
             same != m_setsByHash.cend() && same.key() == hash; ++same) {
            if (FcLangSetEqual(m_fontconfigSets[size_t(*same)], languages)) {
                index = *same;
                break;
            }
        }
        if (index == 0) {
            index = int(m_sets.size());
            m_sets.push_back(languagesOf(languages));
            m_fontconfigSets.push_back(languages);
            m_setsByHash.insert(hash, index);
        }
    }
    m_setOfFace.insert(face, index);
    return m_sets[size_t(index)];
}
