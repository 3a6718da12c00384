// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/measure.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace vantoro {

namespace {

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

long long firstPaintNs = 0; // when the first paint of the window began

class FirstFrameWatch : public QObject
{
public:
    FirstFrameWatch(QWidget *window, std::function<void()> then)
        : QObject(window), m_window(window), m_then(std::move(then))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint) {
            if (firstPaintNs == 0)
                firstPaintNs = monotonicNs();
            m_window->removeEventFilter(this);
            // Painting and the hand-over to the window system run in one go; a zero timer
            // fires once both are done.
            QTimer::singleShot(0, this, [this] {
                m_then();
                deleteLater();
            });
        }
        return false;
    }

private:
    QWidget *m_window;
    std::function<void()> m_then;
};

void printFirstFrame(const QByteArray &how)
{
    std::printf("first-frame %lld paint %lld\n", monotonicNs(), firstPaintNs);
    std::fflush(stdout);
    if (how == "exit")
        std::_Exit(0);
}

void typeKeys(QWidget *window, const QString &keys)
{
    for (QChar ch : keys) {
        const QChar up = ch.toUpper();
        const bool letter = up >= QLatin1Char('A') && up <= QLatin1Char('Z');
        if (!letter && !(up >= QLatin1Char('0') && up <= QLatin1Char('9')))
            continue;
        // Qt numbers these keys by their upper-case ASCII code.
        const int key = up.unicode();
        QWidget *target = window->focusWidget() ? window->focusWidget() : window;
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(ch)));
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch)));
    }
}

// Names each widget as it paints, with the area it paints, on standard error.
class PaintTrace : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const QRect r = static_cast<QPaintEvent *>(event)->rect();
            std::fprintf(stderr, "paint %s %s %dx%d+%d+%d\n", watched->metaObject()->className(),
                         qPrintable(watched->objectName()), r.width(), r.height(), r.x(), r.y());
        } else if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            if (watched->isWidgetType())
                std::fprintf(stderr, "%s\n", event->type() == QEvent::KeyPress ? "key press" : "key release");
        }
        return false;
    }
};

} // namespace

void afterFirstFrame(QWidget *window, std::function<void()> then)
{
    new FirstFrameWatch(window, std::move(then));
}

void installMeasuringAids(QWidget *window)
{
    if (qEnvironmentVariableIsSet("VANTORO_TRACE_PAINTS"))
        qApp->installEventFilter(new PaintTrace(window));
    const QByteArray firstFrame = qgetenv("VANTORO_FIRST_FRAME");
    const QString keys = qEnvironmentVariable("VANTORO_TYPE_KEYS");
    if (firstFrame.isEmpty() && keys.isEmpty())
        return;
    afterFirstFrame(window, [window, firstFrame, keys] {
        if (!firstFrame.isEmpty())
            printFirstFrame(firstFrame);
        typeKeys(window, keys);
    });
}

} // namespace vantoro
