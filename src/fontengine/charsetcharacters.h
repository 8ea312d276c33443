#pragma once

#include <QList>

struct _FcCharSet;

// Every character of a fontconfig character set, in order.
QList<char32_t> charsetCharacters(const _FcCharSet *set);
