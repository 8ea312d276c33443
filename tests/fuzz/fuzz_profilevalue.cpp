// The settings' value forms: any text reads as a number or a boolean without fault, and what the
// program writes reads back as it was.
#include "fuzzinput.h"
#include "profilevalue.h"

#include <cstdio>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString text = QString::fromUtf8(input.bytes());
    const qint32 number = ProfileValue::toInt(text, 7);
    const bool flag = ProfileValue::toBool(text, true);
    FUZZ_CHECK(ProfileValue::toInt(ProfileValue::fromInt(number), 7) == number);
    FUZZ_CHECK(ProfileValue::toBool(ProfileValue::fromBool(flag), !flag) == flag);
    if (size >= sizeof(qint32)) {
        qint32 raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        FUZZ_CHECK(ProfileValue::toInt(ProfileValue::fromInt(raw), raw ^ 1) == raw);
    }
    return 0;
}
