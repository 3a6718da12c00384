// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/elements.h"

namespace vantoro {

// Design-time state of the main window: captions as drawn, every legend white,
// the hour, minute and second keys disabled until the mode set-up runs.
MainWindowElements::MainWindowElements()
{
    caption = QStringLiteral("VANTORO");
    Title.caption = QStringLiteral("Vantoro");
    Iconize.caption = QStringLiteral("▼");
    MODE.caption = QStringLiteral("Label1");
    ENZANSI.caption = QStringLiteral("Label2");
    Hugou.caption = QStringLiteral("Label1");
    OFF.caption = QStringLiteral("OFF");
    CLIP_COPY.caption = QStringLiteral("CLIP");
    His.caption = QStringLiteral("HIS");
    NowTime.caption = QStringLiteral("Time");
    About.caption = QStringLiteral("?");

    for (int d = 0; d < 10; ++d) {
        Key[d].caption = QString::number(d);
        Key_NumOn[d].caption = QString::number(d);
    }
    const char16_t *ops[] = {u"", u"＋", u"－", u"×", u"÷"};
    for (int i = 1; i <= 4; ++i)
        Enzan[i].caption = QString::fromUtf16(ops[i]);
    const char16_t *legends[] = {u"+", u"－", u"×", u"÷", u"√", u"％", u"CE", u"AC", u"H", u"M", u"S"};
    for (int i = 0; i < 11; ++i)
        Enzan_Label[i].caption = QString::fromUtf16(legends[i]);
    H[0].caption = QStringLiteral("H");
    H[1].caption = QStringLiteral("M");
    H[2].caption = QStringLiteral("S");
    for (auto &h : H)
        h.enabled = false;
    Ac.caption = QStringLiteral("AC");
    Ce.caption = QStringLiteral("CE");
    PER.caption = QStringLiteral("%");
    ROOT.caption = QStringLiteral("√");
    kanma.caption = QStringLiteral(".");
    Eq.caption = QStringLiteral("=");
    Unit_input.caption = QStringLiteral("Auto→Unit");
    hms.caption = QStringLiteral("HMS→S");
    Kanma_label.caption = QStringLiteral(".");
    Eq_label.caption = QStringLiteral("=");
    Mode_Key_Label[0].caption = QStringLiteral("Auto>Unit");
    Mode_Key_Label[1].caption = QStringLiteral("HMS>S");
}

} // namespace vantoro
