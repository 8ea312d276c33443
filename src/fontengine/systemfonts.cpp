#include "systemfonts.h"

#include <fontconfig/fontconfig.h>

namespace SystemFonts {

namespace {

FcConfig *kept = nullptr;

} // namespace

FcConfig *configuration()
{
    if (kept)
        return kept;
    return FcInit() ? FcConfigGetCurrent() : nullptr;
}

void keepWholeConfiguration()
{
    if (kept || !FcInit())
        return;
    kept = FcConfigGetCurrent();
    FcConfigReference(kept);
}

} // namespace SystemFonts
