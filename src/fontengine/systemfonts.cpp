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

void renew(FcConfig *fresh)
{
    if (!fresh)
        return;
    if (!kept || FcConfigGetCurrent() == kept)
        FcConfigSetCurrent(fresh);
    if (kept) {
        FcConfigReference(fresh);
        FcConfigDestroy(kept);
        kept = fresh;
    }
}

} // namespace SystemFonts
