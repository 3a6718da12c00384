// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/captionlabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace vantoro {

Qt::Alignment captionAlignment(Align a)
{
    switch (a) {
    case Align::Centre: return Qt::AlignHCenter | Qt::AlignTop;
    case Align::Right: return Qt::AlignRight | Qt::AlignTop;
    case Align::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

CaptionLabel::CaptionLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

bool CaptionLabel::drawsItself() const
{
    return textFormat() == Qt::PlainText && frameWidth() == 0 && margin() == 0 && indent() <= 0 && !wordWrap()
           && isEnabled() && layoutDirection() == Qt::LeftToRight
           && (alignment() & Qt::AlignVertical_Mask) == Qt::AlignTop && !text().contains(QLatin1Char('\n'));
}

const QTextLayout &CaptionLabel::layout()
{
    const QString &now = text();
    // A short comparison (texts from literals are never shared); the font's size in pixels
    // follows the screen's resolution.
    if (m_layout && m_laidOut == now && m_laidOutDpi == logicalDpiY())
        return *m_layout;
    // As QPainter::drawText lays out one unwrapped line: left to right, at the top.
    m_laidOut = now;
    m_laidOutDpi = logicalDpiY();
    m_layout = std::make_unique<QTextLayout>(now, font(), this);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    m_layout->setTextOption(option);
    m_layout->setCacheEnabled(true);
    m_layout->beginLayout();
    QTextLine line = m_layout->createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    m_layout->endLayout();
    return *m_layout;
}

void CaptionLabel::paintEvent(QPaintEvent *event)
{
    if (!drawsItself()) {
        QLabel::paintEvent(event);
        return;
    }
    const QString &t = text();
    if (std::all_of(t.cbegin(), t.cend(), [](QChar c) { return c.isSpace(); }))
        return; // blanks leave no ink
    const QTextLine line = layout().lineAt(0);
    const QRectF r = contentsRect();
    const Qt::Alignment a = alignment();
    qreal x = 0;
    if (a & Qt::AlignRight)
        x = r.width() - line.horizontalAdvance();
    else if (a & Qt::AlignHCenter)
        x = (r.width() - line.horizontalAdvance()) / 2;
    const QPointF origin(r.x() + x, r.y());
    // A label is also repainted where a neighbour overlaps it, often only a strip away from
    // its text. Ink stays within the line's height and, for overhangs and italics, within
    // a line's height either side of its advance.
    const qreal h = line.height();
    const QRectF ink = QRectF(origin, QSizeF(line.horizontalAdvance(), h)).adjusted(-h, -2, h, 2);
    if (!event->region().intersects(ink.toAlignedRect()))
        return;
    QPainter p(this);
    QStyleOption option;
    option.initFrom(this);
    p.setPen(QPen(option.palette.brush(foregroundRole()), p.pen().widthF()));
    line.draw(&p, origin);
}

void CaptionLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_layout.reset();
    QLabel::changeEvent(event);
}

} // namespace vantoro
