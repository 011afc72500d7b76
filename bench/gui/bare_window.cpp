// The start-up benchmark's yardstick: an empty Qt Widgets window of the main window's size, built against the
// same Qt.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(542, 440);
    window.show();
    return app.exec();
}
