#include "windows/MainWindow.h"

#include "qttext/QtText.h"
#include "services/StartUp.h"
#include "userdict/UserDictLookup.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QFontDatabase>
#include <QImageReader>

#include <thread>

namespace trelvik {

namespace {

// Nearly half of the time from start to first paint that the window spends beyond an empty one goes to work
// done once a process: fontconfig reading its configuration and Qt listing the installed fonts, and Qt loading
// every image plug-in to learn which one reads an icon. Both are thread-safe, so a second thread does them
// while the main thread builds the window; whichever thread comes first does the work and the other waits.
std::thread WarmUpFontsAndImageReaders()
{
    return std::thread([] {
        QImageReader::supportedImageFormats();
        QFontDatabase::families();
    });
}

} // namespace

// The program's start routine: the main window first, then the values every lookup reads.
int Main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetApplicationIdentity();

    ProgramValues values;
    std::thread warmUp = WarmUpFontsAndImageReaders();
    MainWindow window(values);
    warmUp.join();
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
