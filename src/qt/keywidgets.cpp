// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/keywidgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

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
    default: break;
    }
    return QPushButton::event(event);
}

PictureCaptionLayout layOutPictureAndCaption(const QRect &content, QSize ink)
{
    constexpr int Gap = 1;
    constexpr int SmallestPicture = 6; // below this a clock is no longer a clock
    const int above = std::min(content.width(), content.height() - ink.height() - Gap);
    const int beside = std::min(content.height(), content.width() - ink.width() - Gap);
    const int side = std::max(above, beside);
    PictureCaptionLayout l;
    if (side < SmallestPicture) {
        l.caption = QRect(QPoint(), ink);
        l.caption.moveCenter(content.center());
        return l;
    }
    if (above >= beside) {
        // The pair centred as a column.
        const int top = content.top() + (content.height() - side - Gap - ink.height()) / 2;
        l.picture = QRect(content.left() + (content.width() - side) / 2, top, side, side);
        l.caption = QRect(content.left() + (content.width() - ink.width()) / 2, top + side + Gap, ink.width(),
                          ink.height());
    } else {
        const int left = content.left() + (content.width() - side - Gap - ink.width()) / 2;
        l.picture = QRect(left, content.top() + (content.height() - side) / 2, side, side);
        l.caption = QRect(left + side + Gap, content.top() + (content.height() - ink.height()) / 2, ink.width(),
                          ink.height());
    }
    return l;
}

PictureButton::PictureButton(const QIcon &picture, QWidget *parent) : QPushButton(parent), m_picture(picture)
{
}

QRect PictureButton::captionInk() const
{
    return fontMetrics().tightBoundingRect(text());
}

PictureCaptionLayout PictureButton::pictureLayout() const
{
    // Inside the bevel the style draws.
    QStyleOptionButton option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    return layOutPictureAndCaption(rect().adjusted(frame, frame, -frame, -frame), captionInk().size());
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    p.drawControl(QStyle::CE_PushButtonBevel, option);
    const PictureCaptionLayout l = pictureLayout();
    if (!l.picture.isEmpty())
        m_picture.paint(&p, l.picture, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    // The caption's ink placed in its rectangle: the text is drawn from its baseline.
    const QRect ink = captionInk();
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(l.caption.topLeft() - ink.topLeft(), text());
}

} // namespace vantoro
