// The yardstick of bench_startup: the smallest Qt Widgets program that shows a window. With
// "--text" the window holds one line of text, so that it also pays for the fonts, as every window
// that says something does.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(470, 290);
    if (argc > 1 && QByteArray(argv[1]) == "--text")
        new QLabel(QStringLiteral("Immetti la password e premi OK."), &window);
    window.show();
    return app.exec();
}
