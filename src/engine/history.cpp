#include "engine/basic.h"
#include "engine/engine.h"

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

    const QString &entry = st.Entry[index];
    QString n, u;
    if (st.Mode == ModeNo::Seconds || index == 4) {
        n = QStringLiteral("    ") + RightAlign(entry, WidthSec);
        u = QStringLiteral("S");
    } else if (st.Mode == ModeNo::Auto || st.Mode == ModeNo::Unit) {
        const QString s = RightAlign(entry, WidthHms);
        n = QLatin1Char(' ') + hmsDisplay(s);
        u = QStringLiteral("H");
    }
    if (st.Sign[index] == -1) {
        n = QLatin1Char('-') + n;
        u += QLatin1Char('-');
    } else {
        n = QLatin1Char(' ') + n;
        u += QLatin1Char(' ');
    }
    QString line = Left(st.PrevSym + QStringLiteral("  "), 2) + n;
    if (index == 4)
        line = HistorySeparatorLine;

    // Full, the oldest line and its recall data go as the new ones come.
    const bool full = st.HisCount > HisMax;
    list.append(line);
    st.HisData.append(u + entry);
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
    st.PrevSym = EnzanSym[kind];
}

} // namespace vantoro
