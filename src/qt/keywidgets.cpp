#include "qt/keywidgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "qt/artwork.h"

namespace vantoro {

KeyFace::KeyFace(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void KeyFace::setPicture(Picture picture)
{
    if (m_picture == picture)
        return;
    m_picture = picture;
    update();
}

void KeyFace::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_picture == Picture::None) {
        p.fillRect(rect(), palette().window()); // before start-up: the plain face colour
        return;
    }
    // Faces of one size look alike: each look is painted once, then copied.
    const qreal dpr = devicePixelRatioF();
    const bool pressed = pressedLook();
    QPixmap &face = m_looks[pressed];
    if (face.isNull() || face.devicePixelRatio() != dpr || face.size() != size() * dpr) {
        const QString key =
            QStringLiteral("vantoro-key-%1x%2-%3-%4").arg(width()).arg(height()).arg(int(pressed)).arg(dpr);
        if (!QPixmapCache::find(key, &face)) {
            face = QPixmap(size() * dpr);
            face.setDevicePixelRatio(dpr);
            QPainter fp(&face);
            paintKeyFace(fp, QRectF(rect()), pressed);
            fp.end();
            QPixmapCache::insert(key, face);
        }
    }
    p.drawPixmap(0, 0, face);
}

KeyRegion::KeyRegion(QWidget *parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
}

bool KeyRegion::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // the second press of a double click comes only as this
        if (!isEnabled())
            break; // falls through to the window beneath
        ++m_buttonsHeld;
        event->accept();
        emit mousePressed();
        return true;
    case QEvent::MouseButtonRelease:
        if (m_buttonsHeld == 0)
            break;
        --m_buttonsHeld;
        event->accept();
        emit mouseReleased();
        return true;
    case QEvent::MouseMove:
        // A held key keeps the pointer; its moves are not moves over the background.
        event->accept();
        return true;
    default:
        break;
    }
    return QPushButton::event(event);
}

PictureButton::PictureButton(const QIcon &picture, QWidget *parent) : QPushButton(parent), m_picture(picture)
{
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    p.drawControl(QStyle::CE_PushButtonBevel, option);
    const int side = std::min(width(), height()) - 4;
    const QRect picture(QPoint((width() - side) / 2, (height() - side) / 2), QSize(side, side));
    p.setOpacity(0.45);
    m_picture.paint(&p, picture, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    p.setOpacity(1.0);
    p.drawControl(QStyle::CE_PushButtonLabel, option);
}

} // namespace vantoro
