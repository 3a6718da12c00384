// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line plain-text label that shapes its text once. A QLabel lays its text out afresh
// on every paint; the calculator repaints a key's legend with its face on each press and
// release, and the labels the display overlaps whenever the display changes. This one keeps
// the layout until the text or the font changes and draws exactly what a QLabel draws.
#include <QLabel>
#include <QTextLayout>
#include <memory>

#include "panel/layout.h"

namespace vantoro {

// A caption's designed alignment: across as designed, always at the top.
Qt::Alignment captionAlignment(Align a);

class CaptionLabel : public QLabel
{
    Q_OBJECT
public:
    explicit CaptionLabel(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Top-aligned single lines of plain text; any other label (a frame, several lines, a
    // disabled look) paints as a QLabel.
    bool drawsItself() const;
    const QTextLayout &layout();

    std::unique_ptr<QTextLayout> m_layout; // of m_laidOut, in the widget's font
    QString m_laidOut;
    int m_laidOutDpi = 0;
};

} // namespace vantoro
