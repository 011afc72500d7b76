#pragma once

#include <QString>

namespace trelvik {

// Names the program for QStandardPaths and QSettings-free lookups; call once after the application object.
void SetApplicationIdentity();

// The folder the running executable lies in, without a trailing slash.
QString ApplicationFolder();

// File that the installation puts into the application folder to mark it as an installed, shared copy.
inline constexpr char kInstalledMarker[] = "installed-copy";

// Where the user dictionary lives: "user.dct" in the application folder when that folder is writable and not
// an installed copy (a portable copy), otherwise in the user's own data folder, which is created when needed.
QString UserDictionaryPath(const QString &appFolder);

} // namespace trelvik
