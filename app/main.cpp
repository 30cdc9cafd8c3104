// korvane: the configuration program of the ZEB1 bus master unit.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZEB1");
    QMainWindow window;
    window.setObjectName("F_main");
    window.setWindowTitle("ZEB1 [New]");
    window.resize(294, 453);
    window.show();
    return QApplication::exec();
}
