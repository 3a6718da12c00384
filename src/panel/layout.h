// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The element table of the main window: every element's name, kind, place, size, font
// and design colours, toolkit-neutral. A window layer builds its widgets from it.
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

#include "panel/panel.h"

namespace vantoro {

constexpr int TwipsPerPixel = 15; // at 96 dots per inch
constexpr int ClientWidthTwips = 3240, ClientHeightTwips = 5640;

// A rectangle in twips: left, top, width, height.
struct TwipRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// Pixels at 96 dots per inch. Edges are rounded, not sizes, so neighbours never gap or overlap.
QRect toPixels(const TwipRect &r);
QPoint toPixels(QPoint twips);

struct FontDef {
    QString family; // as designed; the window layer substitutes what is installed
    double points = 0;
    bool bold = false, italic = false;
};

enum class ElementKind {
    Label,     // text on the window
    Button,    // a push button showing its own caption
    Panel,     // the focus panel EnterCapt
    KeyRegion, // a key's button region: takes the mouse, hidden under the face
    KeyFace,   // a key's face: shows the face picture, transparent to the mouse
    KeyLegend, // the legend label inside a face, transparent to the mouse
};

enum class Align { Left, Centre, Right };

// Which colours of the record the window shows; the others stay as designed.
enum class LiveColour { None, Fore, Back };

struct ElementDef {
    QString name;   // element name as the logic knows it
    int index = -1; // array index, -1 for a single element
    ElementKind kind = ElementKind::Label;
    TwipRect rect; // relative to the window, or to the face for a legend
    FontDef font;
    Align align = Align::Left;
    LiveColour live = LiveColour::None;
    bool opaque = false;          // paints its background colour
    Colour designFore = 0x000000; // &HBBGGRR
    Colour designBack = 0xC0C0C0;
    RecordAccess record = nullptr;

    // "Key_7" for Key(7), "Disp" for Disp: the name a widget carries.
    QString objectName() const;
};

// A calculator key: button region, face and legend; the key table says what it does.
struct KeyDef {
    KeyId id;
    bool wide; // uses the wide face pictures
    ElementDef region, face, legend;
};

struct LineDef {
    QString name;
    QPoint from, to; // twips
    Colour colour;   // &HBBGGRR
    int widthPixels;
};

// Non-key elements in stacking order, bottom first.
const std::vector<ElementDef> &mainElements();
const std::vector<KeyDef> &mainKeys();
const std::vector<LineDef> &mainLines();

// Colours of the case drawing and of the key faces.
constexpr Colour CaseBodyColour = 0x808080;
constexpr Colour BevelLightColour = 0xC0C0C0;
constexpr Colour BevelDarkColour = 0x000000;
constexpr Colour FaceBackColour = 0x808080;

} // namespace vantoro
