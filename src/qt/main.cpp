// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <malloc.h>

#include "engine/calculator.h"
#include "qt/artwork.h"
#include "qt/fonts.h"
#include "qt/mainwindow.h"
#include "qt/measure.h"
#include "qt/qtservices.h"
#include "qt/translations.h"

namespace {

// Exit status of a command line the program does not take.
constexpr int UsageError = 2;

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Vantoro, a desktop calculator for durations in hours, minutes and seconds.\n"
                       "It takes no options but these, and no arguments."));
    parser.addHelpOption();
    parser.addVersionOption();
}

// --help and --version print and end the program. They are answered before QApplication
// connects to the window system, so they work without a display.
bool asksForHelpOrVersion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" || arg == "--version")
            return true;
    }
    return false;
}

// Ends the process with a usage error for anything the program does not take; otherwise
// answers --help or --version, if asked, and returns.
void readCommandLine(const QCoreApplication &app)
{
    QCommandLineParser parser;
    describe(parser);
    QString error;
    if (!parser.parse(app.arguments()))
        error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    if (!error.isEmpty()) {
        std::fprintf(stderr, "vantoro: %s\nTry 'vantoro --help' for more information.\n", qPrintable(error));
        std::exit(UsageError);
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("vantoro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTORO_VERSION));
    // Ties the windows to the menu entry and its icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTORO_APP_ID));
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication core(argc, argv);
        readCommandLine(core); // prints, then ends the process
        return 0;
    }

#ifdef M_ARENA_MAX
    // One malloc arena for every thread. Qt's helper threads (the window system's event
    // reader, D-Bus) allocate little; an arena of their own would keep its pages.
    mallopt(M_ARENA_MAX, 1);
#endif
    QApplication app(argc, argv);
    if (argc > 1) // what is left once QApplication took the window system's own options
        readCommandLine(app);
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
