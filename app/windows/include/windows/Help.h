#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace trelvik {

// The help page's full path in the application folder.
QString HelpPagePath(const QString &appFolder);

// Opens the help page with the desktop's default handler for HTML files. Returns false when the page is
// missing or no handler took it. No command line is built, so no folder name can be misread as one.
bool ShowHelpPage(const QString &appFolder);

// Opens a web address with the desktop's default browser; false when none took it.
bool OpenWebPage(const QUrl &url);

// Replaces the desktop for tests: while a hook is set, every opening above calls it instead, and its
// answer is the opening's result. Pass an empty function to restore the desktop.
void SetUrlOpenHook(std::function<bool(const QUrl &url)> hook);

} // namespace trelvik
