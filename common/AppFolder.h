#pragma once

#include <QString>

namespace trelvik {

// Names the program for QStandardPaths and QSettings-free lookups; call once after the application object.
void SetApplicationIdentity();

// The folder the running executable lies in, without a trailing slash.
QString ApplicationFolder();

// Where the user dictionary lives: "user.dct" in the application folder when that folder is writable
// (a portable copy), otherwise in the user's own data folder, which is created when needed.
QString UserDictionaryPath(const QString &appFolder);

} // namespace trelvik
