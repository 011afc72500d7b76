#pragma once
// Stand-in until the real help functions build; same interface.
#include <QString>
#include <QUrl>

#include <functional>

namespace trelvik {

bool ShowHelpPage(const QString &appFolder);
bool OpenWebPage(const QUrl &url);
void SetUrlOpenHook(std::function<bool(const QUrl &)> hook);

} // namespace trelvik
