// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawings of the main window: key faces, the case, the icons. Painted with
// QPainter at whatever resolution the target has, so they stay crisp at any scale.
#include <QIcon>
#include <QRectF>

#include "window/elements.h"

class QPainter;

namespace vantoro {

QColor toQColor(Colour bgr); // from &HBBGGRR

// A released (raised) or pressed (sunken) key filling `face`.
void paintKeyFace(QPainter &p, const QRectF &face, bool pressed);
// The calculator case: mid-grey body inside a raised bevel.
void paintCase(QPainter &p, const QRectF &client);

QIcon windowIcon();  // a small calculator
QIcon nowTimeIcon(); // a clock
QIcon historyIcon(); // a list of lines on a sheet

} // namespace vantoro
