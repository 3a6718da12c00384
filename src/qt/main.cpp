#include <QApplication>

#include "engine/calculator.h"
#include "qt/artwork.h"
#include "qt/fonts.h"
#include "qt/mainwindow.h"
#include "qt/measure.h"
#include "qt/qtservices.h"
#include "qt/translations.h"

int main(int argc, char *argv[])
{
    vantoro::beginFontconfigStartup(); // beside the window system connection QApplication makes
    QApplication app(argc, argv);
    vantoro::installFontSubstitutes();
    vantoro::installTranslations();

    vantoro::QtServices services;
    vantoro::Calculator calc(services);
    vantoro::VantoroWindow window(calc);
    services.attach(&window);
    // The icon is the window manager's, not part of the window: painted at every size it
    // offers it would hold up the first frame, so it follows it.
    vantoro::afterFirstFrame(&window, [] { QApplication::setWindowIcon(vantoro::windowIcon()); });
    vantoro::installMeasuringAids(&window); // installed last, they see the first frame first
    window.start();
    return app.exec();
}
