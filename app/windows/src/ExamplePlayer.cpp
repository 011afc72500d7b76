#include "windows/ExamplePlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace trelvik {

namespace {

QString &playerFolder()
{
    static QString folder;
    return folder;
}

} // namespace

void SetExamplePlayerFolder(const QString &folder)
{
    playerFolder() = folder;
}

ExamplePlayerModule *LoadExamplePlayers(QString *error)
{
    // Once loaded, never unloaded: players made by the module must not outlive its code. A module that could
    // not be loaded is looked for again at the next opening of the window.
    static ExamplePlayerModule *module = nullptr;
    if (module)
        return module;
    const QString folder = playerFolder().isEmpty() ? QCoreApplication::applicationDirPath() : playerFolder();
    const QString file = QDir(folder).filePath(QLatin1StringView(kExamplePlayerModuleFile));
    QPluginLoader loader(file);
    module = qobject_cast<ExamplePlayerModule *>(loader.instance());
    if (!module && error)
        *error = QFileInfo::exists(file) ? loader.errorString() : QStringLiteral("%1 is missing.").arg(file);
    return module;
}

} // namespace trelvik
