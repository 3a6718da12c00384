#pragma once
// The two widgets of a calculator key besides its legend label.
#include <QPixmap>
#include <QPushButton>
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

// A push button whose picture lies behind its caption, as a graphical button's would;
// the function row is too low for a picture beside or above the caption.
class PictureButton : public QPushButton
{
    Q_OBJECT
public:
    PictureButton(const QIcon &picture, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon m_picture;
};

} // namespace vantoro
