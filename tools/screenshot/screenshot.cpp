// SPDX-License-Identifier: GPL-3.0-or-later
// vantoro-screenshot: shows the main window on the running X server, keys in an optional
// calculation on the numeric keypad through the platform's input path, and saves what
// the X server displays of the main, history or About window. Used by scripts/screenshot.
// The settings file is a fresh one in a temporary directory, so every run starts alike.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cstdio>

#include "engine/calculator.h"
#include "panel/keys.h"
#include "qt/artwork.h"
#include "qt/fonts.h"
#include "qt/mainwindow.h"
#include "qt/qtservices.h"

namespace {

// Lets the window be mapped and painted by the X server.
void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vantoro-screenshot OUTPUT.png [KEYS [main|history|about]]\n"
                             "KEYS: 0-9 + - * / . = on the keypad, letters and space as typed\n");
        return 2;
    }
    vantoro::installFontSubstitutes();
    QApplication::setWindowIcon(vantoro::windowIcon());

    vantoro::QtServices services;
    vantoro::Calculator calc(services);
    QTemporaryDir settingsDir;
    calc.st.IniFile = settingsDir.filePath(QStringLiteral("VANTORO.INI"));
    vantoro::VantoroWindow window(calc);
    services.attach(&window);
    window.start();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    window.activateWindow();
    settle(300);

    const QString keys = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    for (QChar ch : keys) {
        const auto key = vantoro::typedKey(ch);
        if (!key) {
            std::fprintf(stderr, "no key for '%s'\n", qPrintable(QString(ch)));
            return 2;
        }
        QTest::keyClick(window.windowHandle(), Qt::Key(key->qtKey), key->modifiers);
        settle(30);
    }
    settle(300);

    const QString which = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("main");
    QWidget *target = &window;
    if (which == QLatin1String("history"))
        target = window.historyWindow();
    else if (which == QLatin1String("about"))
        target = window.aboutWindow();
    if (!target || !target->isVisible()) {
        std::fprintf(stderr, "the %s window is not shown (keys L or A show it)\n", qPrintable(which));
        return 1;
    }
    target->raise();
    settle(300);

    QScreen *screen = target->screen();
    const QPoint origin = target->mapToGlobal(QPoint(0, 0));
    // The root window, cut to the window's client area: what the X server shows.
    const QPixmap shot = screen->grabWindow(0, origin.x(), origin.y(), target->width(), target->height());
    std::printf("%s window client area: %d x %d pixels at (%d, %d); screen %d x %d at %.0f dpi, "
                "device pixel ratio %.2f; captured %d x %d pixels\n",
                qPrintable(which), target->width(), target->height(), origin.x(), origin.y(),
                screen->geometry().width(), screen->geometry().height(), screen->logicalDotsPerInch(),
                target->devicePixelRatioF(), shot.width(), shot.height());
    std::printf("display: %s %s %s %s\n", qPrintable(calc.ui.MODE.caption), qPrintable(calc.ui.Hugou.caption),
                qPrintable(calc.ui.ENZANSI.caption), qPrintable(calc.ui.Disp.caption));
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
