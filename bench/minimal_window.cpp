// The yardstick of bench_startup: the smallest Qt Widgets program that shows a window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(470, 290);
    window.show();
    return app.exec();
}
