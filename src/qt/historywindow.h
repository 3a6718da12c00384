// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The history window History: one list box, His_List, filling a fixed client area.
// It only shows the lines it is given and reports what the user does.
#include <QStringList>
#include <QWidget>

class QListWidget;

namespace vantoro {

class HistoryWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HistoryWindow(QWidget *owner);

    QListWidget *list() const { return m_list; }
    // The list brought to `lines`: lines dropped at the top and added at the bottom where
    // that is all that changed, refilled otherwise.
    void setLines(const QStringList &lines);
    void setSelected(int row);

signals:
    void lineSelected(int row);
    void lineDoubleClicked();
    void closeRequested();
    void moved(QPoint pos);

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    QListWidget *m_list;
    QStringList m_lines; // what the list shows
};

} // namespace vantoro
