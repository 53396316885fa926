// The yardstick for Lumetra's start-up: the least a Qt 6 Widgets program does to show a window
// of the cover's size and title. Nothing else: no style, font, translation or picture.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Lumetra"));
    window.setFixedSize(594, 511); // the cover window's client area
    window.show();
    return QApplication::exec();
}
