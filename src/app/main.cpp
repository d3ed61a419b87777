#include "app/Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The software rasteriser draws the same everywhere, graphics card or not.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    tavorel::Application tavorelApp;
    tavorelApp.start();
    return app.exec();
}
