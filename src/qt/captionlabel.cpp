// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/captionlabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOption>

namespace vantoro {

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
    if (m_layout && m_laidOut == now) // a short comparison: texts from literals are never shared
        return *m_layout;
    // As QPainter::drawText lays out one unwrapped line: left to right, at the top.
    m_laidOut = now;
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
    if (text().isEmpty())
        return;
    QPainter p(this);
    QStyleOption option;
    option.initFrom(this);
    p.setPen(QPen(option.palette.brush(foregroundRole()), p.pen().widthF()));
    const QTextLine line = layout().lineAt(0);
    const QRectF r = contentsRect();
    const Qt::Alignment a = alignment();
    qreal x = 0;
    if (a & Qt::AlignRight)
        x = r.width() - line.horizontalAdvance();
    else if (a & Qt::AlignHCenter)
        x = (r.width() - line.horizontalAdvance()) / 2;
    line.draw(&p, QPointF(r.x() + x, r.y()));
}

void CaptionLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_layout.reset();
    QLabel::changeEvent(event);
}

} // namespace vantoro
