#include "windows/Dictionary.h"

#include "qttext/QtText.h"
#include "services/AppFolder.h"
#include "userdict/UserDictLookup.h"
#include "widgets/MessageBox.h"

#include <QApplication>

namespace trelvik {

// The program's start routine: the main window first, then the values every lookup reads.
int Main(int argc, char *argv[])
{
    IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    SetApplicationIdentity();

    ProgramValues values;
    dictionary window(values);
    window.centreOnScreen();
    window.show();

    const std::string appFolder = ApplicationFolder();
    std::string mergeNote;
    if (const UserDictResult merged = MergePortableUserDictionary(appFolder, mergeNote); !merged)
        ShowMessage(&window, FromEngineMessage(merged.error));
    else if (!mergeNote.empty())
        ShowMessage(&window, FromEngineMessage(mergeNote));
    values.env.appDir = appFolder;
    values.env.userDictPath = UserDictionaryPath(appFolder);
    values.env.searchUserDict = &LookupUserDict;
    // Said once: without the volumes every word would only be "not present".
    if (const std::string missing = MissingDictionaryFolder(appFolder); !missing.empty())
        ShowMessage(
            &window,
            QStringLiteral("The dictionary files are missing: %1 is not a folder.").arg(FromEngineMessage(missing)));
    return app.exec();
}

} // namespace trelvik

int main(int argc, char *argv[])
{
    return trelvik::Main(argc, argv);
}
