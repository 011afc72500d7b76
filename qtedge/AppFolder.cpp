#include "AppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace trelvik {

void SetApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("trelvik"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRELVIK_VERSION));
}

QString ApplicationFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

QString UserDictionaryPath(const QString &appFolder)
{
    const QString folder = QDir::cleanPath(appFolder);
    // access() asks the kernel, so read-only mounts and ACLs count, not just the mode bits. An installed copy
    // carries a marker, so that even root, who may write anywhere, keeps words out of the system folders.
    const bool installed = QFileInfo::exists(folder + u'/' + QLatin1StringView(kInstalledMarker));
    if (!installed && ::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        return folder + QStringLiteral("/user.dct");

    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    return QDir::cleanPath(dataFolder) + QStringLiteral("/user.dct");
}

} // namespace trelvik
