// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/layout.h"

#include <cmath>

namespace vantoro {

QRect toPixels(const TwipRect &r)
{
    const auto px = [](int twips) { return int(std::lround(double(twips) / TwipsPerPixel)); };
    const int l = px(r.left), t = px(r.top);
    return {l, t, px(r.left + r.width) - l, px(r.top + r.height) - t};
}

QPoint toPixels(QPoint twips)
{
    return {int(std::lround(double(twips.x()) / TwipsPerPixel)), int(std::lround(double(twips.y()) / TwipsPerPixel))};
}

QString ElementDef::objectName() const
{
    return index < 0 ? name : name + QLatin1Char('_') + QString::number(index);
}

namespace {

#define SINGLE(m) [](MainWindowElements &u, int) -> Element & { return u.m; }
#define ARRAY(m) [](MainWindowElements &u, int i) -> Element & { return u.m[size_t(i)]; }

const QString Gothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString Arial = QStringLiteral("Arial");

FontDef gothic(double pt, bool bold = false, bool italic = false)
{
    return {Gothic, pt, bold, italic};
}
FontDef arial(double pt, bool bold = false, bool italic = false)
{
    return {Arial, pt, bold, italic};
}

ElementDef element(QString name, ElementKind kind, TwipRect rect, FontDef font, RecordAccess record)
{
    ElementDef e;
    e.name = std::move(name);
    e.kind = kind;
    e.rect = rect;
    e.font = std::move(font);
    e.record = record;
    return e;
}

// The display texts: transparent, in the display colours the start-up sets.
ElementDef displayText(QString name, TwipRect rect, FontDef font, RecordAccess record, Align align = Align::Left)
{
    ElementDef e = element(std::move(name), ElementKind::Label, rect, std::move(font), record);
    e.live = LiveColour::Fore;
    e.align = align;
    return e;
}

ElementDef functionButton(QString name, int left, FontDef font, RecordAccess record, int width = 495, int height = 375)
{
    return element(std::move(name), ElementKind::Button, {left, 1440, width, height}, std::move(font), record);
}

std::vector<ElementDef> buildElements()
{
    std::vector<ElementDef> v;

    ElementDef title = element(QStringLiteral("Title"), ElementKind::Label, {120, 120, 2535, 315},
                               arial(11.25, true, true), SINGLE(Title));
    title.align = Align::Centre;
    title.opaque = true;
    title.designFore = 0xC0C0C0;
    title.designBack = 0x000000;
    v.push_back(title);

    v.push_back(element(QStringLiteral("Iconize"), ElementKind::Button, {2700, 120, 435, 315}, gothic(9.75, true),
                        SINGLE(Iconize)));

    ElementDef back = element(QStringLiteral("DispBack"), ElementKind::Label, {120, 480, 3015, 735}, {},
                              SINGLE(DispBack));
    back.opaque = true;
    back.live = LiveColour::Back;
    v.push_back(back);

    v.push_back(displayText(QStringLiteral("MODE"), {240, 600, 2175, 255}, gothic(8.25, true, true), SINGLE(MODE)));
    v.push_back(displayText(QStringLiteral("ENZANSI"), {2640, 600, 375, 255}, gothic(9.75), SINGLE(ENZANSI)));
    v.push_back(displayText(QStringLiteral("Hugou"), {240, 900, 255, 255}, gothic(9), SINGLE(Hugou)));
    v.push_back(displayText(QStringLiteral("Disp"), {120, 840, 2955, 375}, gothic(11.25, true, true), SINGLE(Disp),
                            Align::Right));

    ElementDef panel = element(QStringLiteral("EnterCapt"), ElementKind::Panel, {180, 1380, 2895, 495}, {},
                               SINGLE(EnterCapt));
    panel.opaque = true;
    panel.designBack = 0x404040;
    v.push_back(panel);

    v.push_back(functionButton(QStringLiteral("OFF"), 300, gothic(9.75), SINGLE(OFF)));
    v.push_back(functionButton(QStringLiteral("CLIP_COPY"), 840, gothic(8.25), SINGLE(CLIP_COPY)));
    v.push_back(functionButton(QStringLiteral("His"), 1380, gothic(9.75), SINGLE(His)));
    v.push_back(functionButton(QStringLiteral("NowTime"), 1920, gothic(8.25), SINGLE(NowTime), 492, 372));
    ElementDef about = functionButton(QStringLiteral("About"), 2460, gothic(9.75), SINGLE(About));
    about.opaque = true;
    about.designBack = 0xC0C0C0;
    v.push_back(about);
    return v;
}

constexpr int NarrowWidth = 495, WideWidth = 1095, FaceHeight = 375;

ElementDef keyElement(const ElementRef &ref, ElementKind kind, TwipRect rect, FontDef font)
{
    ElementDef e = element(QString::fromLatin1(ref.name), kind, rect, std::move(font), ref.record);
    e.index = ref.index;
    return e;
}

KeyDef key(KeyId id, int left, int top, FontDef legendFont, bool wideFace = false)
{
    const KeyRow &row = keyRow(id);
    KeyDef k{id, row.wide(), {}, {}, {}};
    const bool modeKey = row.wide();

    const int faceWidth = wideFace ? WideWidth : NarrowWidth;
    // Button regions are a few twips smaller than their faces, except these.
    int regionWidth = faceWidth - 3, regionHeight = FaceHeight - 3;
    if (id == KeyId::Seconds || id == KeyId::AllClear || id == KeyId::Equals || id == KeyId::Digit0) {
        regionWidth = faceWidth;
        regionHeight = FaceHeight;
    }

    k.region = keyElement(row.region, ElementKind::KeyRegion, {left, top, regionWidth, regionHeight},
                          gothic(modeKey ? 9 : 9.75));
    k.face = keyElement(row.face, ElementKind::KeyFace, {left, top, faceWidth, FaceHeight}, {});
    k.face.opaque = true;
    k.face.designBack = FaceBackColour;

    // The legend of the wide 0 key is narrow and centred on its face; the mode keys' span the face.
    const TwipRect legendRect = !wideFace ? TwipRect{0, 60, NarrowWidth, 315}
                                : modeKey ? TwipRect{0, 60, WideWidth, 315}
                                          : TwipRect{300, 60, NarrowWidth, 315};
    k.legend = keyElement(row.legend, ElementKind::KeyLegend, legendRect, std::move(legendFont));
    k.legend.align = Align::Centre;
    k.legend.live = LiveColour::Fore;
    return k;
}

std::vector<KeyDef> buildKeys()
{
    std::vector<KeyDef> v;
    const FontDef letter = arial(11.25, true);
    const FontDef digit = arial(11.25, true, true);
    const int col[] = {480, 1080, 1680, 2280};
    const int row[] = {2100, 2580, 3060, 3540, 4020, 4500, 4980};

    const auto numberKey = [&](int d, int c, int r) { return key(digitKey(d), col[c], row[r], digit, d == 0); };

    for (int u = 0; u < 3; ++u)
        v.push_back(key(unitKey(u), col[u], row[0], letter));
    v.push_back(key(KeyId::Root, col[3], row[0], gothic(11.25, true)));

    v.push_back(key(KeyId::AllClear, col[0], row[1], letter));
    v.push_back(key(KeyId::ClearEntry, col[1], row[1], letter));
    v.push_back(key(KeyId::Percent, col[2], row[1], gothic(10.5, true)));
    v.push_back(key(KeyId::Divide, col[3], row[1], gothic(11.25, true)));

    for (int d : {7, 8, 9})
        v.push_back(numberKey(d, d - 7, 2));
    v.push_back(key(KeyId::Multiply, col[3], row[2], gothic(11.25, true)));
    for (int d : {4, 5, 6})
        v.push_back(numberKey(d, d - 4, 3));
    v.push_back(key(KeyId::Subtract, col[3], row[3], gothic(12, true)));
    for (int d : {1, 2, 3})
        v.push_back(numberKey(d, d - 1, 4));
    v.push_back(key(KeyId::Add, col[3], row[4], gothic(10.5, true)));

    v.push_back(numberKey(0, 0, 5));
    v.push_back(key(KeyId::Point, col[2], row[5], gothic(11.25, true, true)));
    v.push_back(key(KeyId::Equals, col[3], row[5], gothic(10.5, true)));

    v.push_back(key(KeyId::AutoUnit, col[0], row[6], arial(9, true), true));
    v.push_back(key(KeyId::Convert, col[2], row[6], arial(9, true), true));
    return v;
}

#undef SINGLE
#undef ARRAY

} // namespace

const std::vector<ElementDef> &mainElements()
{
    static const std::vector<ElementDef> table = buildElements();
    return table;
}

const std::vector<KeyDef> &mainKeys()
{
    static const std::vector<KeyDef> table = buildKeys();
    return table;
}

const std::vector<LineDef> &mainLines()
{
    static const std::vector<LineDef> table{
        {QStringLiteral("Line2"), {120, 1320}, {3120, 1320}, 0xC0C0C0, 2},
        {QStringLiteral("Line1"), {120, 1320}, {120, 1920}, 0xC0C0C0, 2},
        {QStringLiteral("Line3"), {3120, 1920}, {120, 1920}, 0x000000, 2},
        {QStringLiteral("Line4"), {3120, 1920}, {3120, 1320}, 0x000000, 2},
    };
    return table;
}

} // namespace vantoro
