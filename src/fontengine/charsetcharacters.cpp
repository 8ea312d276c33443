#include "charsetcharacters.h"

#include <fontconfig/fontconfig.h>

QList<char32_t> charsetCharacters(const FcCharSet *set)
{
    QList<char32_t> characters;
    FcChar32 map[FC_CHARSET_MAP_SIZE];
    FcChar32 next = 0;
    for (FcChar32 base = FcCharSetFirstPage(set, map, &next); base != FC_CHARSET_DONE;
         base = FcCharSetNextPage(set, map, &next)) {
        for (int word = 0; word < FC_CHARSET_MAP_SIZE; ++word) {
            for (int bit = 0; bit < 32; ++bit) {
                if (map[word] & (1u << bit))
                    characters.append(base + FcChar32(word * 32 + bit));
            }
        }
    }
    return characters;
}
