#include <QApplication>

#include "engine/calculator.h"
#include "window/qt/artwork.h"
#include "window/qt/fonts.h"
#include "window/qt/mainwindow.h"
#include "window/qt/measure.h"
#include "window/qt/qtservices.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    vantoro::installFontSubstitutes();
    QApplication::setWindowIcon(vantoro::windowIcon());

    vantoro::QtServices services;
    vantoro::Calculator calc(services);
    vantoro::VantoroWindow window(calc);
    services.attach(&window);
    vantoro::installMeasuringAids(&window);
    window.start();
    return app.exec();
}
