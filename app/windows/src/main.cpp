#include "windows/MainWindow.h"

#include "qttext/QtText.h"
#include "services/StartUp.h"
#include "userdict/UserDictLookup.h"
#include "widgets/MessageBox.h"

#include <QApplication>

namespace trelvik {

// The program's start routine: the main window first, then the values every lookup reads.
int Main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetApplicationIdentity();

    ProgramValues values;
    MainWindow window(values);
    window.centreOnScreen();
    window.show();

    const StartUp start = StartProgram(StartUpRequest{});
    for (const std::string &note : start.notes)
        ShowMessage(&window, FromEngineMessage(note));
    values.env.appDir = start.appDir;
    values.env.userDictPath = start.userDictPath;
    values.env.searchUserDict = &LookupUserDict;
    // Said once: without the volumes every word would only be "not present".
    if (!start.missingDictionaryFolder.empty())
        ShowMessage(&window, QStringLiteral("The dictionary files are missing: %1 is not a folder.")
                                 .arg(FromEngineMessage(start.missingDictionaryFolder)));
    return app.exec();
}

} // namespace trelvik

int main(int argc, char *argv[])
{
    return trelvik::Main(argc, argv);
}
