// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.h"
#include "engine/timetext.h"

namespace vantoro {

// The history window stands 3500 twips right of the calculator's left edge, tops level.
void placeHistory(Calculator &c)
{
    c.history.left = c.ui.left + 3500;
    c.history.top = c.ui.top;
}

void ensureHistoryWindow(Calculator &c)
{
    if (c.history.loaded)
        return;
    c.history.loaded = true;
    c.history.visible = false;
    placeHistory(c);
}

void His_Add(Calculator &c, int index, int kind)
{
    auto &st = c.st;
    auto &list = c.history.His_List;
    ensureHistoryWindow(c);

    // The line and its recall data are composed on the stack and written into the storage
    // of the oldest line once the history is full.
    const QString &entry = st.Entry[index];
    const QChar signMark = st.Sign[index] == -1 ? QLatin1Char('-') : QLatin1Char(' ');
    ShortText line;
    QChar u; // the recall data's mark: seconds or H:M:S
    if (index == 4) {
        line << HistorySeparatorLine;
        u = QLatin1Char('S');
    } else {
        // Left$(PrevSym & "  ", 2), the sign, then the number as the display shows it.
        line << QStringView(st.PrevSym).left(2);
        while (line.size() < 2)
            line << u' ';
        line << signMark;
        ShortText room;
        if (st.Mode == ModeNo::Seconds) {
            line << u"    " << rightAligned(entry, WidthSec, room);
            u = QLatin1Char('S');
        } else if (st.Mode == ModeNo::Auto || st.Mode == ModeNo::Unit) {
            line << u' ';
            appendHmsDisplay(line, rightAligned(entry, WidthHms, room));
            u = QLatin1Char('H');
        }
    }
    ShortText data;
    if (!u.isNull())
        data << u;
    data << signMark << entry;

    // Full, the oldest line and its recall data go as the new ones come.
    const bool full = st.HisCount > HisMax;
    list.append(line.view());
    st.HisData.append(data.view());
    if (!full) {
        if (st.HisNoSelect == 0)
            c.history.ListIndex = st.HisCount;
        ++st.HisCount;
    } else {
        if (c.history.ListIndex > 0)
            --c.history.ListIndex;
        else
            c.history.ListIndex = -1;
        if (st.HisNoSelect == 0)
            c.history.ListIndex = HisMax;
    }
    st.HisNoSelect = 0;
    assignShared(st.PrevSym, EnzanSym[kind]);
}

} // namespace vantoro
