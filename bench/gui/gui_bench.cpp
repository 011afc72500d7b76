// gui_bench [--startup]
// Without arguments: times "Translate" from the click to the results in the panes for a Russian word whose
// letter has six full volumes. With --startup: time from the start of the process to the window exposed.
#include "windows/MainWindow.h"

#include "engine/Catalogue.h"
#include "userdict/UserDictLookup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>
#include <vector>

using namespace trelvik;

namespace {

// Milliseconds since this process started, from the kernel's start time in clock ticks.
double millisecondsSinceProcessStart()
{
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        fields >> field; // field 22 is starttime
    const double startSeconds = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 - startSeconds) * 1000.0;
}

// Writes the six volumes of the Russian letter п, 500 records each, many of them containing the word.
void writeFullVolumes(const QString &appDir)
{
    const Catalogue &catalogue = RussianCatalogue();
    const CatalogueRow *row = catalogue.rowFor("\xEF");
    std::mt19937 random(7);
    std::uniform_int_distribution<int> letter(0xE0, 0xFF);
    QDir(appDir).mkpath(QStringLiteral("data/ru"));
    for (std::string_view volume : row->volumes) {
        std::string bytes;
        for (int i = 0; i < 500; ++i) {
            std::string word = "\xEF";
            const int length = 3 + i % 8;
            for (int k = 0; k < length; ++k)
                word += static_cast<char>(letter(random));
            if (i % 10 == 0)
                word = "\xEF\xEE\xEB" + word.substr(1); // пол...
            if (i % 97 == 0)
                word = "\xEF\xEE\xEB"; // пол itself
            bytes += "\"" + word + "\",\"svenskt ord " + std::to_string(i) + "\",\"english word " + std::to_string(i)
                     + "\"\r\n";
        }
        QFile file(QString::fromStdString(catalogue.volumePath(appDir.toStdString(), volume)));
        file.open(QIODevice::WriteOnly);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

int benchTranslate()
{
    QTemporaryDir appDir;
    writeFullVolumes(appDir.path());
    ProgramValues values;
    MainWindow window(values);
    values.env =
        LookupEnvironment{appDir.path().toStdString(), (appDir.path() + "/user.dct").toStdString(), &LookupUserDict};
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *input = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *translate = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    input->setText(QStringLiteral("пол"));

    std::vector<double> ms;
    for (int run = 0; run < 200; ++run) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(translate, Qt::LeftButton);
        QApplication::processEvents(); // let the panes paint what they now hold
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("first request %.2f ms\n", ms.front());
    std::sort(ms.begin(), ms.end());
    std::printf("Translate, 6 full volumes (3000 records): median %.2f ms, 95th %.2f ms, max %.2f ms\n",
                ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
    std::printf("status: %s\n", qPrintable(window.findChild<QLabel *>(QStringLiteral("statTR"))->text()));
    return 0;
}

int benchStartup()
{
    ProgramValues values;
    MainWindow window(values);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    std::printf("process start to window exposed: %.0f ms\n", millisecondsSinceProcessStart());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool startup = argc > 1 && qstrcmp(argv[1], "--startup") == 0;
    return startup ? benchStartup() : benchTranslate();
}
