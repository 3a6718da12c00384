// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/artwork.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "panel/layout.h"

namespace vantoro {

QColor toQColor(Colour bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace {

// Lengths snapped to whole device pixels, at least one, so straight edges stay sharp.
qreal snapped(const QPainter &p, qreal length)
{
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    return std::max<qreal>(1.0, std::round(length * dpr)) / dpr;
}

// The upper-left part of a bevelled frame around `outer`, mitred at the top-right and
// bottom-left corners so that the two colours meet on the diagonals.
QPolygonF upperLeftOf(const QRectF &outer, const QRectF &inner)
{
    return QPolygonF{outer.topLeft(), outer.topRight(), inner.topRight(), inner.bottomLeft(), outer.bottomLeft()};
}

} // namespace

void paintKeyFace(QPainter &p, const QRectF &face, bool pressed)
{
    const QColor light = toQColor(BevelLightColour), dark = toQColor(BevelDarkColour);
    const QColor grey = toQColor(FaceBackColour);
    // The picture is designed for a narrow 4:3 key; a wide face stretches only its key top,
    // its rim stays as thick as a narrow key's.
    const qreal narrowWidth = face.height() * 4.0 / 3.0;
    const qreal rimX = snapped(p, 0.05 * narrowWidth), rimY = snapped(p, 0.07 * face.height());
    const qreal radius = face.height() * 0.16;
    const QRectF top = face.adjusted(rimX, rimY, -rimX, -rimY);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(face, grey);

    QPainterPath outer;
    outer.addRoundedRect(face, radius, radius);
    QPainterPath upperLeft;
    upperLeft.addPolygon(upperLeftOf(face, top));
    upperLeft.closeSubpath();
    p.fillPath(outer, pressed ? light : dark);
    p.fillPath(outer.intersected(upperLeft), pressed ? dark : light);

    QPainterPath keyTop;
    keyTop.addRoundedRect(top, radius * 0.6, radius * 0.6);
    p.fillPath(keyTop, grey);

    if (!pressed) {
        // A short white highlight round the top-left corner of the rim.
        const qreal x = face.left() + rimX / 2, y = face.top() + rimY / 2;
        const qreal r = radius * 0.8, reach = narrowWidth * 0.14;
        QPainterPath h;
        h.moveTo(x, y + r + reach * 0.6);
        h.lineTo(x, y + r);
        h.quadTo(x, y, x + r, y);
        h.lineTo(x + r + reach, y);
        p.setPen(QPen(Qt::white, std::min(rimX, rimY) * 0.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(h);
    }
    p.restore();
}

void paintCase(QPainter &p, const QRectF &r)
{
    const qreal b = snapped(p, 2);
    const QRectF inner = r.adjusted(b, b, -b, -b);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(r, toQColor(CaseBodyColour));
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(BevelDarkColour));
    p.drawPolygon(QPolygonF{r.topRight(), r.bottomRight(), r.bottomLeft(), inner.bottomLeft(), inner.bottomRight(),
                            inner.topRight()});
    p.setBrush(toQColor(BevelLightColour));
    p.drawPolygon(
        QPolygonF{r.topLeft(), r.topRight(), inner.topRight(), inner.topLeft(), inner.bottomLeft(), r.bottomLeft()});
    p.restore();
}

namespace {

// Both icons are drawn on a 32-unit square scaled to the target, in the sixteen
// standard colours.
void paintCalculatorIcon(QPainter &p, const QRectF &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.topLeft());
    p.scale(r.width() / 32.0, r.height() / 32.0);

    QPainterPath body;
    body.addRoundedRect(QRectF(3, 1, 26, 30), 3, 3);
    p.fillPath(body, Qt::black);
    QPainterPath face;
    face.addRoundedRect(QRectF(3, 1, 25, 29), 3, 3);
    p.fillPath(face, QColor(0xC0, 0xC0, 0xC0));
    QPainterPath top;
    top.addRoundedRect(QRectF(4.5, 2.5, 23, 26.5), 2, 2);
    p.fillPath(top, QColor(0x80, 0x80, 0x80));

    p.fillRect(QRectF(6, 4.5, 20, 7), Qt::black);
    p.setPen(QPen(QColor(0x00, 0xFF, 0xFF), 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(14, 8), QPointF(24, 8)); // the value
    p.setPen(QPen(QColor(0x00, 0xFF, 0xFF), 1.0));
    p.drawPoint(QPointF(9, 8));

    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QRectF k(6.5 + col * 5, 14 + row * 5, 4, 3.5);
            p.fillRect(k.translated(0.5, 0.5), Qt::black);
            p.fillRect(k, col == 3 ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xC0, 0xC0, 0xC0));
        }
    }
    p.restore();
}

void paintClockIcon(QPainter &p, const QRectF &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.topLeft());
    p.scale(r.width() / 32.0, r.height() / 32.0);

    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1.5, Qt::SolidLine, Qt::RoundCap));
    // The marks at twelve, three, six and nine o'clock, as directions from the centre: no
    // trigonometry, whose code and tables in the maths library would otherwise be mapped
    // into memory for the first frame for this alone.
    static constexpr QPointF Quarters[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    for (const QPointF &d : Quarters)
        p.drawLine(QPointF(16, 16) + 9.5 * d, QPointF(16, 16) + 11.5 * d);
    p.setPen(QPen(QColor(0x00, 0x00, 0x80), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(10.5, 12)); // hour hand near ten
    p.setPen(QPen(QColor(0x00, 0x00, 0x80), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(16, 6)); // minute hand at twelve
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x00, 0x00));
    p.drawEllipse(QPointF(16, 16), 1.6, 1.6);
    p.restore();
}

void paintHistoryIcon(QPainter &p, const QRectF &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.topLeft());
    p.scale(r.width() / 32.0, r.height() / 32.0);

    p.fillRect(QRectF(6, 3, 23, 28), Qt::black); // shadow
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 23, 28));
    p.fillRect(QRectF(5, 2, 22, 5), QColor(0x00, 0x00, 0x80)); // caption strip
    for (int i = 0; i < 6; ++i) {
        const qreal y = 10.5 + i * 3.4;
        const bool separator = i == 3;
        p.setPen(
            QPen(separator ? QColor(0x80, 0x80, 0x80) : QColor(0x00, 0x00, 0x00), 1.4, Qt::SolidLine, Qt::FlatCap));
        if (separator) {
            p.drawLine(QPointF(7, y), QPointF(25, y));
        } else {
            p.drawLine(QPointF(7, y), QPointF(9.5, y));               // the operator mark
            p.drawLine(QPointF(15 - (i % 2) * 3, y), QPointF(25, y)); // the value, right-aligned
        }
    }
    p.fillRect(QRectF(5, 15.8, 22, 3), QColor(0x00, 0x00, 0x80)); // the selected line
    p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7, 17.3), QPointF(9.5, 17.3));
    p.drawLine(QPointF(12, 17.3), QPointF(25, 17.3));
    p.restore();
}

// An icon drawn on demand at the size and pixel density asked for.
class PaintedIconEngine : public QIconEngine
{
public:
    using Painter = void (*)(QPainter &, const QRectF &);
    explicit PaintedIconEngine(Painter paint) : m_paint(paint) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        m_paint(*painter, QRectF(rect));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        // Painted once per size: the window system asks for every size each time an icon is
        // set, and the application and its windows each set one.
        const QString key =
            QStringLiteral("vantoro-icon-%1-%2x%3").arg(quintptr(m_paint)).arg(size.width()).arg(size.height());
        QPixmap pm;
        if (QPixmapCache::find(key, &pm))
            return pm;
        pm = QPixmap(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(), size), mode, state);
        p.end();
        QPixmapCache::insert(key, pm);
        return pm;
    }
    QIconEngine *clone() const override { return new PaintedIconEngine(m_paint); }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    }

private:
    Painter m_paint;
};

} // namespace

QIcon windowIcon()
{
    return QIcon(new PaintedIconEngine(paintCalculatorIcon));
}

QIcon nowTimeIcon()
{
    return QIcon(new PaintedIconEngine(paintClockIcon));
}

QIcon historyIcon()
{
    return QIcon(new PaintedIconEngine(paintHistoryIcon));
}

} // namespace vantoro
