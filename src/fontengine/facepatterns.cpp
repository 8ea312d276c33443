#include "facepatterns.h"

#include <fontconfig/fontconfig.h>

void FacePatterns::Destroy::operator()(FcPattern *pattern) const
{
    FcPatternDestroy(pattern);
}

FacePatterns::FacePatterns()
    : m_patterns(std::make_shared<std::vector<Owned>>())
{
}

void FacePatterns::append(FcPattern *pattern)
{
    if (pattern)
        m_patterns->emplace_back(pattern);
}

std::vector<FacePatterns::Owned> FacePatterns::take()
{
    std::vector<Owned> taken;
    taken.swap(*m_patterns);
    return taken;
}
