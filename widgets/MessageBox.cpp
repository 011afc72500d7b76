#include "MessageBox.h"

#include <QMessageBox>

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
    box.exec();
}

void SetMessageHook(std::function<void(QWidget *parent, const QString &text)> newHook)
{
    hook() = std::move(newHook);
}

} // namespace trelvik
