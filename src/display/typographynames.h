#pragma once

#include "typography.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What the typography panel and the line under the list call features and axes, in French:
// the registered features a reader of type knows by name, the stylistic sets and character
// variants by their number, the others by their tag.
namespace TypographyNames {

// "Petites capitales" for smcp, "Jeu stylistique 3" for ss03; empty for a tag named by itself.
QString featureName(const QByteArray &tag);
// "Graisse" for wght; empty for a tag named by itself.
QString axisName(const QByteArray &tag);

// A feature's line in the panel's list, with how many families have it:
// "Petites capitales (smcp) — 412", "xyzw — 3".
QString featureLabel(const QByteArray &tag, int families);
// "Graisse (wght)", "XOPQ".
QString axisLabel(const QByteArray &tag);
// An axis value as the panel and the summary show it: "700", "87,5".
QString axisValue(double value);

// What is set, in short, for the line under the list: "onum, smcp, -liga, wght 700, turc,
// espacement +50" (features on, then off, then axes, language and spacing); empty when nothing
// is set.
QString summary(const Typography &typography);

// The tooltip of a line whose face lacks some of what is set (features, then axes, as the engine
// lists them): "Cette police n'a pas : Petites capitales (smcp), Graisse (wght)".
QString lackingTip(const QList<QByteArray> &lacking, const Typography &typography);

} // namespace TypographyNames
