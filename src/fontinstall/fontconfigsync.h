#pragma once

#include <QString>
#include <QStringList>

#include <memory>

struct _FcConfig;

// Brings fontconfig up to date with a font folder and asks it what it now lists.
namespace FontconfigSync {

using Configuration = std::shared_ptr<_FcConfig>;

// Whether fontconfig reads at least one face from the file (checked before it is copied).
bool recognises(const QString &file);

// Runs fc-cache on the folders, so that every program sees their fonts at once; the reason when
// it fails or takes longer than a minute.
QString refreshCache(const QStringList &folders);

// The user's whole configuration loaded afresh, as the next program to start will see it; null
// when it cannot be loaded.
Configuration load();

// The files the configuration lists the family's faces from.
QStringList familyFiles(_FcConfig *config, const QString &family);

// Why the configuration does not list the family from the files (each file must give at least
// one face, one of them a face of the family); empty when it does.
QString missing(_FcConfig *config, const QString &family, const QStringList &files,
                const QString &folder);

} // namespace FontconfigSync
