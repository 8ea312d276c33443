// Windows-1252 both ways: any text encoded with references decodes back to itself once the
// references are read, and every byte decodes to one character.
#include "fuzzinput.h"
#include "windows1252.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    FUZZ_CHECK(Windows1252::decode(input.bytes()).size() == input.bytes().size());

    // Text without "&" of its own (which a reader could not tell from a reference) comes back
    // whole.
    const QString text = QString::fromUtf8(input.bytes()).remove(u'&');
    const QByteArray bytes = Windows1252::encodeWithReferences(text);
    FUZZ_CHECK(browserText(Windows1252::decode(bytes)) == text);
    // Lone surrogates come out as references too, never as raw bytes.
    const QByteArray anything = Windows1252::encodeWithReferences(input.utf16());
    FUZZ_CHECK(anything.size() >= input.utf16().size());
    return 0;
}
