#include "widgets/MessageBox.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace trelvik {

namespace {

std::function<void(QWidget *, const QString &)> &hook()
{
    static std::function<void(QWidget *, const QString &)> instance;
    return instance;
}

} // namespace

void ShowMessage(QWidget *parent, const QString &text)
{
    if (hook()) {
        hook()(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(kApplicationTitle), text, QMessageBox::Ok, parent);
    // Some styles decorate the standard buttons with icons; the box shows none at all.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

void SetMessageHook(std::function<void(QWidget *parent, const QString &text)> newHook)
{
    hook() = std::move(newHook);
}

} // namespace trelvik
