#pragma once

#include "widgets/MessageBox.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QStringList>

namespace testsupport {

// Collects every message the windows would show in a box, for as long as it lives.
class MessageCatcher {
public:
    MessageCatcher()
    {
        trelvik::SetMessageHook([this](QWidget *, const QString &text) { messages << text; });
    }
    ~MessageCatcher() { trelvik::SetMessageHook({}); }
    MessageCatcher(const MessageCatcher &) = delete;
    MessageCatcher &operator=(const MessageCatcher &) = delete;

    QStringList messages;
};

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Lets widgets closed with WA_DeleteOnClose really go away.
inline void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace testsupport
