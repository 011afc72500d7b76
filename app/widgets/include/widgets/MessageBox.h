#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace trelvik {

// The program's title, the caption of every message box.
inline constexpr char16_t kApplicationTitle[] = u"Trelvik";

// Shows text in a modal message box with only an "OK" button, no icon and the caption "Trelvik",
// and returns when the user has closed it.
void ShowMessage(QWidget *parent, const QString &text);

// Replaces the message box for tests: while a hook is set, ShowMessage calls it instead of showing
// anything, so a test can see every message without blocking. Pass an empty function to restore the box.
void SetMessageHook(std::function<void(QWidget *parent, const QString &text)> hook);

} // namespace trelvik
