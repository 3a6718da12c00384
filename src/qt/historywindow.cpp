// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/historywindow.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QSignalBlocker>

#include "panel/layout.h"
#include "qt/accessibility.h"
#include "qt/artwork.h"
#include "qt/fonts.h"

namespace vantoro {

namespace {

constexpr TwipRect HistoryClient{0, 0, 3120, 4335};
// The list's border lies just outside the client area, on the right and at the bottom.
constexpr TwipRect ListRect{0, 0, 3135, 4350};

// The length of the longest tail of `shown` that `lines` begins with is what can stay.
qsizetype keptTail(const QStringList &shown, const QStringList &lines)
{
    for (qsizetype drop = 0; drop < shown.size(); ++drop) {
        const qsizetype kept = shown.size() - drop;
        if (kept > lines.size())
            continue;
        bool same = true;
        for (qsizetype k = 0; k < kept && same; ++k)
            same = shown.at(drop + k) == lines.at(k);
        if (same)
            return kept;
    }
    return 0;
}

// The list box. A list view tells assistive technology that its current line has the focus
// whenever the line changes, even in a hidden window; a reader would leave the calculator
// for the history each time a line is added. Only a list that has the focus says so.
class HistoryList : public QListWidget
{
public:
    explicit HistoryList(QWidget *parent) : QListWidget(parent) {}

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override
    {
        if (hasFocus())
            QListWidget::currentChanged(current, previous);
        else
            QAbstractItemView::currentChanged(current, previous);
    }
};

} // namespace

HistoryWindow::HistoryWindow(QWidget *owner)
    // A fixed frame with a close button only.
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint),
      m_list(new HistoryList(this))
{
    setObjectName(QStringLiteral("History"));
    setAccessibleRole(this, QAccessible::Window); // before the name, whose event fixes the interface
    setAccessibleName(QStringLiteral("History List"));
    setWindowTitle(QStringLiteral("History List"));
    setWindowIcon(historyIcon());
    setFixedSize(toPixels(HistoryClient).size());
    // Shown beside the calculator, which keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_list->setObjectName(QStringLiteral("His_List"));
    setAccessibleRole(m_list, QAccessible::List); // its lines in words, separators as separators
    m_list->setAccessibleName(tr("History lines"));
    m_list->setGeometry(toPixels(ListRect));
    m_list->setFont(historyListFont());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideNone); // a separator line is cut at the edge, as a list box does
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);

    connect(m_list, &QListWidget::currentRowChanged, this, &HistoryWindow::lineSelected);
    // Only a double-click on a line; one on the empty space below the lines recalls nothing.
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { emit lineDoubleClicked(); });
}

void HistoryWindow::setLines(const QStringList &lines)
{
    if (lines == m_lines)
        return;
    const QSignalBlocker quiet(m_list);
    const qsizetype kept = keptTail(m_lines, lines);
    if (kept == 0) {
        m_list->clear();
    } else {
        for (qsizetype drop = m_lines.size() - kept; drop > 0; --drop)
            delete m_list->takeItem(0);
    }
    for (qsizetype i = kept; i < lines.size(); ++i)
        m_list->addItem(lines.at(i));
    m_lines = lines;
}

void HistoryWindow::setSelected(int row)
{
    const QSignalBlocker quiet(m_list);
    if (row >= 0 && row < m_list->count()) {
        m_list->setCurrentRow(row);
        m_list->scrollToItem(m_list->item(row));
    } else {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
}

void HistoryWindow::closeEvent(QCloseEvent *event)
{
    // The owner decides what closing means; it removes the window itself.
    event->ignore();
    emit closeRequested();
}

void HistoryWindow::moveEvent(QMoveEvent *event)
{
    emit moved(pos());
    QWidget::moveEvent(event);
}

} // namespace vantoro
