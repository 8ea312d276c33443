#pragma once

#include <QMetaType>

#include <memory>
#include <vector>

struct _FcPattern;

// Faces read from font files that are not installed: fontconfig's records, owned here until a
// catalogue takes them (FontCatalog::addFaces). Copies share the same records, so a batch can
// cross threads in a queued signal; whatever nobody took is freed with the last copy.
class FacePatterns
{
public:
    struct Destroy
    {
        void operator()(_FcPattern *pattern) const;
    };
    using Owned = std::unique_ptr<_FcPattern, Destroy>;

    FacePatterns();

    // Takes the record.
    void append(_FcPattern *pattern);
    qsizetype size() const { return qsizetype(m_patterns->size()); }
    bool isEmpty() const { return m_patterns->empty(); }
    // The records, read only: they stay owned here.
    _FcPattern *at(qsizetype index) const { return (*m_patterns)[size_t(index)].get(); }

    // Hands the records over, leaving every copy empty.
    std::vector<Owned> take();

private:
    std::shared_ptr<std::vector<Owned>> m_patterns;
};

Q_DECLARE_METATYPE(FacePatterns)
