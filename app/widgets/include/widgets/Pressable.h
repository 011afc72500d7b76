#pragma once

#include <QAccessible>

#include <functional>

class QWidget;

namespace trelvik {

// Makes a plain widget that reacts to mouse clicks usable without a mouse: assistive technology sees it with
// the given role (a button, a link) under its accessible name, with a press action that runs press, just as
// the click does. Call before the widget is first shown. The widget's own class must declare Q_OBJECT: for a
// plain Qt class (a bare QLabel) Qt's own description of that class is found first.
void MakePressable(QWidget *widget, QAccessible::Role role, std::function<void()> press);

} // namespace trelvik
