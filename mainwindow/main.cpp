#include "Dictionary.h"

#include "qtedge/AppFolder.h"
#include "userdict/UserDictLookup.h"

#include <QApplication>
#include <QFile>

namespace trelvik {

// The program's start routine: the main window first, then the values every lookup reads.
int Main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetApplicationIdentity();

    ProgramValues values;
    dictionary window(values);
    window.centreOnScreen();
    window.show();

    const QString appFolder = ApplicationFolder();
    SetStartValues(values, QFile::encodeName(appFolder).toStdString(),
                   QFile::encodeName(UserDictionaryPath(appFolder)).toStdString(), &LookupUserDict);
    return app.exec();
}

} // namespace trelvik

int main(int argc, char *argv[])
{
    return trelvik::Main(argc, argv);
}
