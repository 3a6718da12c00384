// SPDX-License-Identifier: GPL-3.0-or-later
// The history window, the clock, the clipboard copy and the About window of the real
// program, headless: clicks and keys through Qt's input path, the windows read back.
#include <QClipboard>
#include <QFontMetrics>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "engine/state.h"
#include "gui_fixture.h"
#include "qt/aboutwindow.h"
#include "qt/artwork.h"
#include "qt/historywindow.h"

using namespace vantoro;
using namespace vantoro::test;

class TstHistoryAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void historyWindowHoldsTheRecordedLines();
    void historyFontKeepsTheColumns();
    void fullHistoryDropsTheFirstLine_data();
    void fullHistoryDropsTheFirstLine();
    void recallAcrossModes_data();
    void recallAcrossModes();
    void clickSelectsOnly();
    void historyAcrossMinimiseCloseAndReopen();
    void clockToggledByKeyAndTicksEndedByDigit();
    void clipboard_data();
    void clipboard();
    void aboutWindowContents();
    void aboutWindowOpenedAndClosed_data();
    void aboutWindowOpenedAndClosed();
    void aboutWindowFollowsTheCalculator();
    void exitClosesTheOtherWindows();

private:
    static QListWidget *list(Fixture &f) { return f.w.historyWindow() ? f.w.historyWindow()->list() : nullptr; }
    static void clickButton(Fixture &f, const char *name)
    {
        auto *b = f.w.findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(b, name);
        QTest::mouseClick(f.w.windowHandle(), Qt::LeftButton, {}, b->mapTo(&f.w, b->rect().center()));
    }
    // A real double-click on the line, which its first click selects.
    static void doubleClickLine(Fixture &f, int row)
    {
        QListWidget *l = list(f);
        QVERIFY(l);
        l->scrollToItem(l->item(row));
        const QPoint at = l->visualItemRect(l->item(row)).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
    }
    static QStringList shownLines(Fixture &f)
    {
        QStringList lines;
        if (QListWidget *l = list(f))
            for (int i = 0; i < l->count(); ++i)
                lines << l->item(i)->text();
        return lines;
    }
};

void TstHistoryAbout::cleanup()
{
    QVERIFY(!QApplication::activeModalWidget());
}

void TstHistoryAbout::historyWindowHoldsTheRecordedLines()
{
    Fixture f(1);
    QVERIFY(!f.w.historyWindow()); // not before the first line
    keypad(f.w.windowHandle(), QStringLiteral("1+2="));
    HistoryWindow *h = f.w.historyWindow();
    QVERIFY(h);
    QVERIFY(!h->isVisible()); // created hidden
    QCOMPARE(h->windowTitle(), QStringLiteral("History List"));
    QCOMPARE(h->size(), QSize(208, 289));
    QCOMPARE(h->minimumSize(), h->maximumSize());
    QCOMPARE(list(f)->geometry(), QRect(0, 0, 209, 290)); // its border just outside the client area
    QCOMPARE(list(f)->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(shownLines(f), f.c.history.His_List.toList());
    QCOMPARE(shownLines(f).size(), 4);
    QCOMPARE(list(f)->currentRow(), 3);
    // an icon of its own, not the calculator's
    QVERIFY(!h->windowIcon().isNull());
    QVERIFY(h->windowIcon().pixmap(32).toImage() != windowIcon().pixmap(32).toImage());

    keypad(f.w.windowHandle(), QStringLiteral("L"));
    QVERIFY(h->isVisible());
    QCOMPARE(h->pos(), f.w.pos() + QPoint(233, 0)); // 3500 twips right, tops level
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->window() : nullptr, &f.w);
    keypad(f.w.windowHandle(), QStringLiteral("L"));
    QVERIFY(!h->isVisible());
    QCOMPARE(f.w.historyWindow(), h); // only hidden
}

void TstHistoryAbout::historyFontKeepsTheColumns()
{
    // The font the list really uses, not the one asked for.
    Fixture f(0);
    keypad(f.w.windowHandle(), QStringLiteral("12345-23456=*2="));
    QListWidget *l = list(f);
    QVERIFY(l);
    const QFontInfo info(l->font());
    QCOMPARE(info.family(), QStringLiteral("IPAGothic"));
    const QFontMetrics fm(l->font());
    const int cell = fm.horizontalAdvance(QLatin1Char('0'));
    QVERIFY(cell > 0);
    for (const QString &full :
         {u"＋"_qs, u"－"_qs, u"×"_qs, u"÷"_qs, u"＝"_qs, u"　"_qs, u"─"_qs, u"°"_qs, u"’"_qs, u"”"_qs})
        QCOMPARE(fm.horizontalAdvance(full), 2 * cell);
    for (const QString &half : {u" "_qs, u"-"_qs, u"."_qs, u"9"_qs})
        QCOMPARE(fm.horizontalAdvance(half), cell);

    // Lines of the H:M:S form, with different marks and signs, put their digits and
    // separators at the same places.
    const QStringList lines = shownLines(f);
    QCOMPARE(lines.size(), 8);
    const auto columnOf = [&](const QString &line, QChar mark) {
        return fm.horizontalAdvance(line.left(line.indexOf(mark)));
    };
    QStringList marks;
    for (const QString &line : lines) {
        if (!line.contains(QChar(0x00B0)))
            continue; // the separator
        marks << line.left(1);
        QCOMPARE(columnOf(line, QChar(0x00B0)), columnOf(lines.first(), QChar(0x00B0)));
        QCOMPARE(columnOf(line, QChar(0x201D)), columnOf(lines.first(), QChar(0x201D)));
        QCOMPARE(fm.horizontalAdvance(line), 23 * cell); // the mark takes its two characters
    }
    QCOMPARE(marks, (QStringList{u"　"_qs, u"－"_qs, u"＝"_qs, u"　"_qs, u"×"_qs, u"＝"_qs}));
    QVERIFY(lines.at(2).contains(QLatin1Char('-'))); // a negative result among them
    // A whole line fits beside the scroll bar.
    QVERIFY(23 * cell <= l->viewport()->width() - l->verticalScrollBar()->sizeHint().width());
}

void TstHistoryAbout::fullHistoryDropsTheFirstLine_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("first line") << 0;
    QTest::newRow("middle line") << 20;
    QTest::newRow("last line") << 40;
}

void TstHistoryAbout::fullHistoryDropsTheFirstLine()
{
    QFETCH(int, row);
    Fixture f(1);
    keypad(f.w.windowHandle(), QStringLiteral("L"));
    // 1 + 2 + ... : each "+" records the operand before it.
    for (int v = 1; v <= 41; ++v)
        keypad(f.w.windowHandle(), QString::number(v) + QLatin1Char('+'));
    QListWidget *l = list(f);
    QCOMPARE(l->count(), 41);
    QListWidgetItem *second = l->item(1);
    keypad(f.w.windowHandle(), QStringLiteral("42+"));
    QCOMPARE(l->count(), 41);
    QCOMPARE(shownLines(f), f.c.history.His_List.toList());
    QVERIFY(l->item(0)->text().endsWith(QStringLiteral(" 2")));
    QVERIFY(l->item(40)->text().endsWith(QStringLiteral("42")));
    QCOMPARE(l->item(0), second); // the list was moved up, not refilled
    QCOMPARE(l->currentRow(), 40);

    doubleClickLine(f, row);
    QCOMPARE(f.c.history.ListIndex, row);
    QCOMPARE(labelText(f.w, "Disp"), QString::number(row + 2).rightJustified(14) + QLatin1Char(' '));
    QCOMPARE(labelText(f.w, "ENZANSI"), QStringLiteral("＋"));
}

void TstHistoryAbout::recallAcrossModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("disp");
    QTest::addColumn<QString>("hugou");
    // Recorded, then converted with Space, then recalled into the pending second operand.
    QTest::newRow("H:M:S line in seconds mode") << 0 << "12345+ "
                                                << "          5025 "
                                                << " ";
    QTest::newRow("seconds line in H:M:S-Auto") << 1 << "5025+ " << u"    1°23’45.00”"_qs << " ";
    QTest::newRow("negative H:M:S line in seconds mode") << 0 << "1-30=+ "
                                                         << "            29 "
                                                         << "-";
}

void TstHistoryAbout::recallAcrossModes()
{
    QFETCH(int, mode);
    QFETCH(QString, keys);
    Fixture f(mode);
    keypad(f.w.windowHandle(), QStringLiteral("L") + keys);
    // The line to recall is the last value line.
    int row = f.c.history.His_List.size() - 1;
    while (row > 0 && f.c.history.His_List.at(row) == HistorySeparatorLine)
        --row;
    doubleClickLine(f, row);
    QTEST(labelText(f.w, "Disp"), "disp");
    QTEST(labelText(f.w, "Hugou"), "hugou");
}

void TstHistoryAbout::clickSelectsOnly()
{
    Fixture f(1);
    keypad(f.w.windowHandle(), QStringLiteral("L7+8="));
    const QString disp = labelText(f.w, "Disp");
    QListWidget *l = list(f);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(0)).center());
    QCOMPARE(f.c.history.ListIndex, 0);
    QCOMPARE(labelText(f.w, "Disp"), disp);
    // A double-click below the lines recalls nothing.
    const QPoint below(10, l->viewport()->height() - 3);
    QVERIFY(!l->itemAt(below));
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(labelText(f.w, "Disp"), disp);
}

void TstHistoryAbout::historyAcrossMinimiseCloseAndReopen()
{
    Fixture f(1);
    keypad(f.w.windowHandle(), QStringLiteral("1+2="));
    clickButton(f, "His");
    QPointer<HistoryWindow> h = f.w.historyWindow();
    QVERIFY(h && h->isVisible());
    const QStringList lines = shownLines(f);

    clickButton(f, "Iconize");
    QVERIFY(f.w.isMinimized());
    QVERIFY(!h->isVisible());
    f.w.showNormal();
    QTRY_VERIFY(h->isVisible());

    h->close(); // the window's own close command
    QCOMPARE(f.c.st.HisShown, 0);
    QTRY_VERIFY(!h);
    QVERIFY(!f.w.historyWindow());

    // Reopened: the same lines, and lines recorded meanwhile added to them.
    clickButton(f, "His");
    QVERIFY(f.w.historyWindow() && f.w.historyWindow()->isVisible());
    QCOMPARE(shownLines(f), lines);
    f.w.historyWindow()->close();
    QTRY_VERIFY(!f.w.historyWindow());
    keypad(f.w.windowHandle(), QStringLiteral("3+4="));
    QVERIFY(f.w.historyWindow() && !f.w.historyWindow()->isVisible());
    keypad(f.w.windowHandle(), QStringLiteral("L"));
    QCOMPARE(shownLines(f).size(), 8);
    QCOMPARE(shownLines(f).mid(0, 4), lines);
    doubleClickLine(f, 4);
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("             3 "));
}

void TstHistoryAbout::clockToggledByKeyAndTicksEndedByDigit()
{
    Fixture f(1);
    keypad(f.w.windowHandle(), QStringLiteral("12"));
    const QString value = labelText(f.w, "Disp");
    keypad(f.w.windowHandle(), QStringLiteral("T"));
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("12-24-2026 10:20:30 "));
    QCOMPARE(labelText(f.w, "MODE"), QStringLiteral("NOW"));
    keypad(f.w.windowHandle(), QStringLiteral("T"));
    QCOMPARE(labelText(f.w, "Disp"), value);

    auto *timer = const_cast<QTimer *>(&f.w.timer1());
    for (int i = 0; i < 5; ++i)
        QMetaObject::invokeMethod(timer, "timeout");
    QCOMPARE(labelText(f.w, "Disp"), value); // five idle ticks show nothing
    QMetaObject::invokeMethod(timer, "timeout");
    QCOMPARE(labelText(f.w, "MODE"), QStringLiteral("NOW"));
    f.sv.clock = f.sv.clock.addSecs(1);
    QMetaObject::invokeMethod(timer, "timeout");
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("12-24-2026 10:20:31 "));

    keypad(f.w.windowHandle(), QStringLiteral("3"));
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("           123 "));
    QCOMPARE(labelText(f.w, "MODE"), QString());
    QCOMPARE(f.w.timer1().interval(), 65535);
}

void TstHistoryAbout::clipboard_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<QString>("text");
    QTest::newRow("positive, key C") << 1 << "3600" << false << "3600";
    QTest::newRow("positive fraction, button") << 1 << ".5" << true << ".5";
    QTest::newRow("negative result, key C") << 1 << "5-10=" << false << "-5";
    QTest::newRow("negative result, button") << 1 << "5-10=" << true << "-5";
    QTest::newRow("zero") << 1 << "" << false << "0";
    QTest::newRow("zero result of a negative step") << 1 << "0-5+5=" << true << "0";
    QTest::newRow("H:M:S, 1 h 2 min 30.45 s") << 0 << "10230.45" << false << "10230.45";
    QTest::newRow("H:M:S, 102 h 30 min 45 s") << 0 << "1023045" << true << "1023045";
    QTest::newRow("second operand taken") << 1 << "7+8" << true << "8";
}

void TstHistoryAbout::clipboard()
{
    QFETCH(int, mode);
    QFETCH(QString, keys);
    QFETCH(bool, byButton);
    Fixture f(mode);
    QGuiApplication::clipboard()->setText(QStringLiteral("stale"));
    keypad(f.w.windowHandle(), keys);
    const QString disp = labelText(f.w, "Disp");
    if (byButton)
        clickButton(f, "CLIP_COPY");
    else
        keypad(f.w.windowHandle(), QStringLiteral("C"));
    QTEST(QGuiApplication::clipboard()->text(), "text");
    QCOMPARE(labelText(f.w, "Disp"), disp);
    QCOMPARE(QApplication::focusWidget(), f.w.enterCapt());
}

void TstHistoryAbout::aboutWindowContents()
{
    Fixture f(0);
    QVERIFY(!f.w.aboutWindow());
    clickButton(f, "About");
    AboutWindow *a = f.w.aboutWindow();
    QVERIFY(a && a->isVisible());
    QCOMPARE(a->windowTitle(), QStringLiteral("About"));
    QCOMPARE(a->size(), QSize(266, 176));
    QCOMPARE(a->minimumSize(), a->maximumSize());
    QCOMPARE(a->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(labelText(*a, "ABOUTBOX_TITLE"), QStringLiteral("Vantoro"));
    QCOMPARE(labelText(*a, "ABOUTBOX_VER"), QStringLiteral("Ver. 4.2"));
    QCOMPARE(labelText(*a, "AboutBox_For"), QStringLiteral("For Windows95/98,WindowsNT"));
    QCOMPARE(labelText(*a, "CopyRight"), AboutWindow::copyrightText());
    QCOMPARE(labelText(*a, "mail"), AboutWindow::contactText());
    for (const char *name : {"CopyRight", "mail", "ABOUTBOX_VER", "AboutBox_For"}) {
        auto *l = a->findChild<QLabel *>(QLatin1String(name));
        QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->width(), name); // not cut off
    }
    QVERIFY(!a->findChild<QPushButton *>(QStringLiteral("MANUAL"))->isVisible());
    QVERIFY(a->findChild<QWidget *>(QStringLiteral("Picture1"))->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.w.enterCapt()); // the calculator keeps the keyboard
    keypad(f.w.windowHandle(), QStringLiteral("5"));
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("     °  ’ 5.00”"));
}

void TstHistoryAbout::aboutWindowOpenedAndClosed_data()
{
    QTest::addColumn<QString>("closeBy");
    QTest::newRow("OK") << "OK";
    QTest::newRow("close command") << "close";
    QTest::newRow("About button") << "?";
    QTest::newRow("key A") << "A";
}

void TstHistoryAbout::aboutWindowOpenedAndClosed()
{
    QFETCH(QString, closeBy);
    Fixture f(1);
    clickButton(f, "About");
    QPointer<AboutWindow> a = f.w.aboutWindow();
    QVERIFY(a);
    if (closeBy == QLatin1String("OK"))
        QTest::mouseClick(a->findChild<QPushButton *>(QStringLiteral("OK")), Qt::LeftButton);
    else if (closeBy == QLatin1String("close"))
        a->close();
    else if (closeBy == QLatin1String("?"))
        clickButton(f, "About");
    else
        keypad(f.w.windowHandle(), QStringLiteral("A"));
    QCOMPARE(f.c.st.AboutShown, 0);
    QVERIFY(!f.w.aboutWindow());
    QTRY_VERIFY(!a);

    // One press opens it again, afresh.
    keypad(f.w.windowHandle(), QStringLiteral("A"));
    QVERIFY(f.w.aboutWindow() && f.w.aboutWindow()->isVisible());
    QCOMPARE(f.c.st.AboutShown, 1);
}

void TstHistoryAbout::aboutWindowFollowsTheCalculator()
{
    Fixture f(1);
    keypad(f.w.windowHandle(), QStringLiteral("A"));
    QCOMPARE(f.w.aboutWindow()->pos(), f.w.pos() + QPoint(233, 67));
    keypad(f.w.windowHandle(), QStringLiteral("A"));
    f.w.move(f.w.pos() + QPoint(40, 30));
    QCOMPARE(f.c.ui.left, f.w.pos().x() * 15.0);
    keypad(f.w.windowHandle(), QStringLiteral("A"));
    QCOMPARE(f.w.aboutWindow()->pos(), f.w.pos() + QPoint(233, 67));
    // So does the history window, each time its button shows it.
    keypad(f.w.windowHandle(), QStringLiteral("L"));
    QCOMPARE(f.w.historyWindow()->pos(), f.w.pos() + QPoint(233, 0));
    f.w.historyWindow()->move(5, 5); // moved away by the user
    keypad(f.w.windowHandle(), QStringLiteral("LL"));
    QCOMPARE(f.w.historyWindow()->pos(), f.w.pos() + QPoint(233, 0));
}

void TstHistoryAbout::exitClosesTheOtherWindows()
{
    Fixture f(1);
    keypad(f.w.windowHandle(), QStringLiteral("1+2=LA"));
    QPointer<QWidget> h = f.w.historyWindow(), a = f.w.aboutWindow();
    QVERIFY(h && h->isVisible() && a && a->isVisible());
    f.sv.answerYes = true;
    keypad(f.w.windowHandle(), QStringLiteral("F"));
    QCOMPARE(f.sv.endCount, 1);
    QVERIFY((!h || !h->isVisible()) && (!a || !a->isVisible()));
    QTRY_VERIFY(!h && !a);
    QVERIFY(f.settings().contains("HIS=1")); // it was open at the exit
}

VANTORO_GUI_TEST_MAIN(TstHistoryAbout)
#include "tst_history_about.moc"
