#include "widgets/Pressable.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

namespace trelvik {

namespace {

struct PressEntry {
    QAccessible::Role role;
    std::function<void()> press;
};

QHash<QObject *, PressEntry> &pressables()
{
    static QHash<QObject *, PressEntry> instance;
    return instance;
}

class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        const auto entry = pressables().constFind(object());
        if (actionName == pressAction() && entry != pressables().cend() && widget()->isEnabled())
            entry->press();
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

QAccessibleInterface *pressableFactory(const QString &, QObject *object)
{
    const auto entry = pressables().constFind(object);
    if (entry == pressables().cend() || !object->isWidgetType())
        return nullptr;
    return new PressableAccessible(static_cast<QWidget *>(object), entry->role);
}

} // namespace

void MakePressable(QWidget *widget, QAccessible::Role role, std::function<void()> press)
{
    static const bool installed = [] {
        QAccessible::installFactory(pressableFactory);
        return true;
    }();
    Q_UNUSED(installed);
    pressables().insert(widget, PressEntry{role, std::move(press)});
    QObject::connect(widget, &QObject::destroyed, [widget] { pressables().remove(widget); });
}

} // namespace trelvik
