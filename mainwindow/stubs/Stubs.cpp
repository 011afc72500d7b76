#include "extras/FormText1.h"
#include "extras/Help.h"
#include "extras/InfoDic.h"
#include "userdict/AddWords.h"
#include "userdict/OptionsF.h"

#include <QDesktopServices>

namespace trelvik {

AddWords::AddWords(ProgramValues &, std::function<SourceFields()> readMainWindow, QWidget *parent)
    : QDialog(parent), m_readMainWindow(std::move(readMainWindow))
{
    setObjectName(QStringLiteral("AddWords"));
    setAttribute(Qt::WA_DeleteOnClose);
}

void AddWords::showEvent(QShowEvent *event)
{
    if (m_readMainWindow)
        m_readMainWindow();
    QDialog::showEvent(event);
}

OptionsF::OptionsF(ProgramValues &, std::function<void(QWidget *)>, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OptionsF"));
    setAttribute(Qt::WA_DeleteOnClose);
}

FormText1::FormText1(const QString &, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormText1"));
    setAttribute(Qt::WA_DeleteOnClose);
}

infoDic::infoDic(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("infoDic"));
    setAttribute(Qt::WA_DeleteOnClose);
}

namespace {
std::function<bool(const QUrl &)> &urlHook()
{
    static std::function<bool(const QUrl &)> hook;
    return hook;
}
} // namespace

void SetUrlOpenHook(std::function<bool(const QUrl &)> hook) { urlHook() = std::move(hook); }

bool OpenWebPage(const QUrl &url) { return urlHook() ? urlHook()(url) : QDesktopServices::openUrl(url); }

bool ShowHelpPage(const QString &appFolder)
{
    return OpenWebPage(QUrl::fromLocalFile(appFolder + QStringLiteral("/html/info.html")));
}

} // namespace trelvik
