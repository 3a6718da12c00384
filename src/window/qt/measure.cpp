#include "window/qt/measure.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace vantoro {

namespace {

class FirstFrameWatch : public QObject
{
public:
    FirstFrameWatch(QWidget *window, QByteArray firstFrame, QString keys)
        : QObject(window), m_window(window), m_firstFrame(std::move(firstFrame)), m_keys(std::move(keys))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint) {
            m_window->removeEventFilter(this);
            // Painting and the hand-over to the window system run in one go; a zero timer
            // fires once both are done.
            QTimer::singleShot(0, this, [this] { afterFirstFrame(); });
        }
        return false;
    }

private:
    void afterFirstFrame()
    {
        if (!m_firstFrame.isEmpty()) {
            timespec ts{};
            clock_gettime(CLOCK_MONOTONIC, &ts);
            std::printf("first-frame %lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
            std::fflush(stdout);
            if (m_firstFrame == "exit")
                std::_Exit(0);
        }
        for (QChar ch : std::as_const(m_keys)) {
            const QChar up = ch.toUpper();
            const bool letter = up >= QLatin1Char('A') && up <= QLatin1Char('Z');
            if (!letter && !(up >= QLatin1Char('0') && up <= QLatin1Char('9')))
                continue;
            // Qt numbers these keys by their upper-case ASCII code.
            const int key = up.unicode();
            QWidget *target = m_window->focusWidget() ? m_window->focusWidget() : m_window;
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(ch)));
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch)));
        }
    }

    QWidget *m_window;
    QByteArray m_firstFrame;
    QString m_keys;
};

} // namespace

void installMeasuringAids(QWidget *window)
{
    const QByteArray firstFrame = qgetenv("VANTORO_FIRST_FRAME");
    const QString keys = qEnvironmentVariable("VANTORO_TYPE_KEYS");
    if (firstFrame.isEmpty() && keys.isEmpty())
        return;
    window->installEventFilter(new FirstFrameWatch(window, firstFrame, keys));
}

} // namespace vantoro
