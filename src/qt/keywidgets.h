// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two widgets of a calculator key besides its legend label.
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QWidget>

#include "window/elements.h"

namespace vantoro {

// A key's face: paints the released or pressed picture. Transparent to the mouse, so
// presses reach the button region beneath.
class KeyFace : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool pressedLook READ pressedLook)
public:
    explicit KeyFace(QWidget *parent);
    void setPicture(Picture picture);
    Picture picture() const { return m_picture; }
    bool pressedLook() const { return m_picture == Picture::Key_On || m_picture == Picture::L_Key_On; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture = Picture::None;
    // The looks this face shows, shared with the faces of its size; a key press only copies one.
    QPixmap m_looks[2];
};

// A key's button region. Any mouse button presses it; the release is reported to the
// region that took the press wherever the pointer is, even if the press disabled it.
class KeyRegion : public QPushButton
{
    Q_OBJECT
public:
    explicit KeyRegion(QWidget *parent);

signals:
    void mousePressed();
    void mouseReleased();

protected:
    bool event(QEvent *event) override;

private:
    int m_buttonsHeld = 0;
};

// Where a button's picture and its caption go: side by side or the picture above, whichever
// gives the larger picture, the two never overlapping and both inside `content`. `captionInk`
// is the size of the caption's ink. An empty picture when there is no room for one.
struct PictureCaptionLayout {
    QRect picture, caption;
};
PictureCaptionLayout layOutPictureAndCaption(const QRect &content, QSize captionInk);

// A push button that shows a picture beside or above its caption, both legible at once.
class PictureButton : public QPushButton
{
    Q_OBJECT
public:
    PictureButton(const QIcon &picture, QWidget *parent);
    // Where the picture and the caption are drawn at the button's size and font.
    PictureCaptionLayout pictureLayout() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect captionInk() const; // the caption's ink, relative to its baseline origin
    QIcon m_picture;
};

} // namespace vantoro
