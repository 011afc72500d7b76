#include "windows/Help.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace trelvik {

namespace {

std::function<bool(const QUrl &)> &hook()
{
    static std::function<bool(const QUrl &)> instance;
    return instance;
}

bool openUrl(const QUrl &url)
{
    if (hook())
        return hook()(url);
    return QDesktopServices::openUrl(url);
}

} // namespace

QString HelpPagePath(const QString &appFolder)
{
    return appFolder + QStringLiteral("/html/info.html");
}

bool ShowHelpPage(const QString &appFolder)
{
    const QString page = HelpPagePath(appFolder);
    if (!QFileInfo(page).isFile())
        return false;
    return openUrl(QUrl::fromLocalFile(page));
}

bool OpenWebPage(const QUrl &url)
{
    if (!url.isValid())
        return false;
    return openUrl(url);
}

void SetUrlOpenHook(std::function<bool(const QUrl &url)> newHook)
{
    hook() = std::move(newHook);
}

} // namespace trelvik
