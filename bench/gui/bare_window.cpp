// The start-up benchmark's yardstick: an empty Qt Widgets window of the main window's size, built against the
// same Qt. With --one-line it shows one line of text, which is what any window with text pays on top: loading
// the fonts.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(542, 440);
    if (argc > 1 && std::strcmp(argv[1], "--one-line") == 0)
        new QLabel(QStringLiteral("Translate"), &window);
    window.show();
    return app.exec();
}
