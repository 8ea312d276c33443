#pragma once

#include "typography.h"

#include <QString>
#include <QStringView>

class IniFile;

// The typography kept between runs, in the settings file's section "Typographie", one key per
// kind of setting:
//   Fonctionnalites=smcp,-liga   features switched on, or off after "-"
//   Axes=wght:700,wdth:87.5      axis values
//   Langue=tr                    one of fontconfig's languages
//   Espacement=50                thousandths of an em, brought within -100..500
// A line edited by hand loses only the entries that are wrong in it.
namespace TypographySettings {

Typography read(const IniFile &ini);
// Writes the keys whose value differs from the one read: nothing when nothing changed, so the
// section stays as the file holds it, hand edits included.
void write(IniFile &ini, const Typography &now, const Typography &read);

QString featuresText(const QMap<QByteArray, bool> &features);
QMap<QByteArray, bool> featuresFrom(QStringView text);
QString axesText(const QMap<QByteArray, double> &axes);
QMap<QByteArray, double> axesFrom(QStringView text);
// A code fontconfig knows, in its own spelling; empty otherwise.
QString languageFrom(const QString &text);
int spacingFrom(const QString &text);

} // namespace TypographySettings
