// SPDX-License-Identifier: GPL-3.0-or-later
// vantoro-icon-render: writes the window icon as the PNG files of the hicolor icon theme,
//   vantoro-icon-render OUTPUT_DIR NAME SIZE...
// as OUTPUT_DIR/<SIZE>x<SIZE>/apps/NAME.png. The pictures come from the drawing the window
// itself uses, so the menu, the task bar and the title bar show the same calculator.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "qt/artwork.h"

int main(int argc, char *argv[])
{
    // A build step never has a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: vantoro-icon-render OUTPUT_DIR NAME SIZE...\n");
        return 2;
    }
    const QString outDir = args.at(1), name = args.at(2);
    const QIcon icon = vantoro::windowIcon();
    for (const QString &arg : args.mid(3)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "vantoro-icon-render: not a size: %s\n", qPrintable(arg));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            icon.paint(&p, QRect(0, 0, size, size));
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        const QString file = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "vantoro-icon-render: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
