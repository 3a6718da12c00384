// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the real windows: every key, button, text and list named,
// with a role it can announce, the keys' availability and why, their keyboard keys, the
// display in words beside its exact caption, and keys that act through their press action.
#include <QAccessible>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "gui_fixture.h"
#include "qt/translations.h"

using namespace vantoro;
using namespace vantoro::test;

namespace {

struct Found {
    QString objectName;
    QAccessible::Role role;
    QString name, description;
    bool disabled;
    QAccessibleInterface *iface = nullptr;
};

// Every element under `root`, depth first, as the accessibility tree gives it.
void walk(QAccessibleInterface *iface, QList<Found> &out, int depth = 0)
{
    if (!iface || depth > 20)
        return;
    const QObject *o = iface->object();
    out << Found{o ? o->objectName() : QString(), iface->role(),
                 iface->text(QAccessible::Name),  iface->text(QAccessible::Description),
                 bool(iface->state().disabled),   iface};
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), out, depth + 1);
}

QList<Found> tree(QWidget *window)
{
    QList<Found> out;
    walk(QAccessible::queryAccessibleInterface(window), out);
    return out;
}

Found element(const QList<Found> &all, const QString &objectName)
{
    for (const Found &f : all)
        if (f.objectName == objectName)
            return f;
    return {QStringLiteral("<missing %1>").arg(objectName), QAccessible::NoRole, {}, {}, false};
}

bool inTree(const QList<Found> &all, const QString &objectName)
{
    return std::any_of(all.begin(), all.end(), [&](const Found &f) { return f.objectName == objectName; });
}

QString textOf(QAccessibleInterface *iface)
{
    QAccessibleTextInterface *text = iface ? iface->textInterface() : nullptr;
    return text ? text->text(0, text->characterCount()) : QStringLiteral("<no text interface>");
}

// Presses a key as an assistive technology does, through its press action.
void pressAction(QWidget &window, const QString &objectName)
{
    const Found key = element(tree(&window), objectName);
    QVERIFY2(key.iface && key.iface->actionInterface(), qPrintable(objectName));
    key.iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// Roles a screen reader announces and that must carry a name.
bool mustBeNamed(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::StaticText:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::Graphic:
    case QAccessible::Window:
    case QAccessible::Dialog: return true;
    default: return false;
    }
}

} // namespace

class TstAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void everyElementNamed();
    void keysSayWhatTheyDo_data();
    void keysSayWhatTheyDo();
    void availabilityAnnounced();
    void whyUnavailable_data();
    void whyUnavailable();
    void keysPressedThroughTheirAction();
    void keyBindings_data();
    void keyBindings();
    void displayInWords_data();
    void displayInWords();
    void displayInWordsOfTwoWindows();
    void exactDisplayBesideTheWords_data();
    void exactDisplayBesideTheWords();
    void historyLinesInWords();
    void japaneseUnderAJapaneseLocale_data();
    void japaneseUnderAJapaneseLocale();
};

void TstAccessibility::everyElementNamed()
{
    Fixture f(0);
    keypad(f.w.windowHandle(), QStringLiteral("1+2=LA"));
    QVERIFY(f.w.historyWindow() && f.w.aboutWindow());

    const struct {
        QWidget *window;
        int minimum; // elements expected at least
    } windows[] = {{&f.w, 1 + 13 + 25}, {f.w.historyWindow(), 2 + 4}, {f.w.aboutWindow(), 9}};
    for (const auto &w : windows) {
        const QList<Found> all = tree(w.window);
        QVERIFY2(all.size() >= w.minimum,
                 qPrintable(QStringLiteral("%1: %2").arg(w.window->objectName()).arg(all.size())));
        for (const Found &e : all) {
            if (!mustBeNamed(e.role))
                continue;
            QVERIFY2(!e.name.trimmed().isEmpty(),
                     qPrintable(QStringLiteral("%1: %2 without a name").arg(w.window->objectName(), e.objectName)));
            // Names say what an element is, not how the program calls it.
            QVERIFY2(e.name != e.objectName || e.objectName == QLatin1String("OK")
                         || e.objectName == QLatin1String("Vantoro"), // the window, by the program's name
                     qPrintable(e.objectName));
        }
    }

    const QList<Found> main = tree(&f.w);
    QCOMPARE(main.first().role, QAccessible::Window);
    for (const char *name : {"Key_7", "Enzan_1", "Eq", "OFF", "CLIP_COPY", "His", "NowTime", "About", "Iconize"})
        QCOMPARE(element(main, QLatin1String(name)).role, QAccessible::PushButton);
    for (const char *name : {"Disp", "MODE", "Hugou", "ENZANSI", "Title"})
        QCOMPARE(element(main, QLatin1String(name)).role, QAccessible::StaticText);
    // The button region is the key: its face and legend only draw it.
    for (const char *name : {"Tenkey_7", "Key_NumOn_7", "Enzan_key_1", "Enzan_Label_0", "Mode_key_0"})
        QVERIFY2(!inTree(main, QLatin1String(name)), name);
    int keys = 0;
    for (const Found &e : main)
        keys += e.role == QAccessible::PushButton;
    QCOMPARE(keys, 25 + 6);

    const QList<Found> history = tree(f.w.historyWindow());
    QCOMPARE(history.first().role, QAccessible::Window);
    QCOMPARE(element(history, QStringLiteral("His_List")).role, QAccessible::List);
    int items = 0, separators = 0;
    for (const Found &e : history) {
        items += e.role == QAccessible::ListItem && !e.name.isEmpty();
        separators += e.role == QAccessible::Separator;
    }
    QCOMPARE(items, 3);
    QCOMPARE(separators, 1);

    const QList<Found> about = tree(f.w.aboutWindow());
    QCOMPARE(about.first().role, QAccessible::Dialog);
    QCOMPARE(element(about, QStringLiteral("OK")).role, QAccessible::PushButton);
    QCOMPARE(element(about, QStringLiteral("ABOUTBOX_VER")).name, QStringLiteral("Ver. 4.2"));
    QCOMPARE(element(about, QStringLiteral("CopyRight")).role, QAccessible::StaticText);
    QCOMPARE(element(about, QStringLiteral("Picture1")).role, QAccessible::Graphic);
    QCOMPARE(element(about, QStringLiteral("Frame1")).role, QAccessible::Separator);
    const Found box = element(about, QStringLiteral("ABOUTBOX_FRAME"));
    QCOMPARE(box.role, QAccessible::Grouping);
    QVERIFY(!box.name.isEmpty());
    QVERIFY(!inTree(about, QStringLiteral("MANUAL"))); // never shown
    for (const Found &e : about)
        QVERIFY2(e.role != QAccessible::Border && e.role != QAccessible::Client, qPrintable(e.objectName));
}

void TstAccessibility::keysSayWhatTheyDo_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("name");
    QTest::newRow("digit") << 0 << "Key_7"
                           << "Seven";
    QTest::newRow("plus") << 0 << "Enzan_1"
                          << "Plus";
    QTest::newRow("divide") << 0 << "Enzan_4"
                            << "Divided by";
    QTest::newRow("root") << 1 << "ROOT"
                          << "Square root";
    QTest::newRow("percent") << 1 << "PER"
                             << "Percent";
    QTest::newRow("hours") << 2 << "H_0"
                           << "Hours";
    QTest::newRow("seconds key") << 2 << "H_2"
                                 << "Seconds";
    QTest::newRow("conversion in H:M:S") << 0 << "hms"
                                         << "Convert H:M:S to seconds";
    QTest::newRow("conversion in seconds") << 1 << "hms"
                                           << "Convert seconds to H:M:S";
    QTest::newRow("input mode in Auto") << 0 << "Unit_input"
                                        << "Switch to unit input";
    QTest::newRow("input mode in Unit") << 2 << "Unit_input"
                                        << "Switch to automatic input";
    QTest::newRow("point") << 1 << "kanma"
                           << "Decimal point";
    QTest::newRow("clock") << 0 << "NowTime"
                           << "Clock";
    QTest::newRow("quit") << 0 << "OFF"
                          << "Quit";
}

void TstAccessibility::keysSayWhatTheyDo()
{
    QFETCH(int, mode);
    QFETCH(QString, element);
    Fixture f(mode);
    QTEST(::element(tree(&f.w), element).name, "name");
}

void TstAccessibility::availabilityAnnounced()
{
    Fixture f(0);
    Found h = element(tree(&f.w), QStringLiteral("H_0"));
    QVERIFY(h.disabled);
    QCOMPARE(h.description, QStringLiteral("unavailable in this mode"));
    QVERIFY(!element(tree(&f.w), QStringLiteral("Key_7")).disabled);
    // An available key's description is its tooltip: the keyboard key that does the same.
    QCOMPARE(element(tree(&f.w), QStringLiteral("Key_7")).description, QStringLiteral("Keypad 7"));

    keypad(f.w.windowHandle(), QStringLiteral("U")); // to H:M:S-Unit: the unit keys become available
    h = element(tree(&f.w), QStringLiteral("H_0"));
    QVERIFY(!h.disabled);
    QCOMPARE(h.description, QStringLiteral("H"));
}

void TstAccessibility::whyUnavailable_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("why");
    QTest::newRow("unit key in H:M:S-Auto") << 0 << ""
                                            << "H_1"
                                            << "unavailable in this mode";
    QTest::newRow("root in H:M:S") << 2 << ""
                                   << "ROOT"
                                   << "unavailable in this mode";
    QTest::newRow("operator while 45 waits for its unit") << 2 << "45"
                                                          << "Enzan_1"
                                                          << "unavailable until the number gets its unit";
    QTest::newRow("equals while 45 waits") << 2 << "45"
                                           << "Eq"
                                           << "unavailable until the number gets its unit";
    QTest::newRow("conversion while 45 waits") << 2 << "45"
                                               << "hms"
                                               << "unavailable until the number gets its unit";
    QTest::newRow("Auto/Unit after a digit") << 0 << "5"
                                             << "Unit_input"
                                             << "unavailable while a number is being keyed";
    QTest::newRow("Auto/Unit in seconds mode") << 1 << "5"
                                               << "Unit_input"
                                               << "unavailable in this mode";
}

void TstAccessibility::whyUnavailable()
{
    QFETCH(int, mode);
    QFETCH(QString, keys);
    QFETCH(QString, element);
    Fixture f(mode);
    keypad(f.w.windowHandle(), keys);
    const Found key = ::element(tree(&f.w), element);
    QVERIFY(key.disabled);
    QTEST(key.description, "why");
}

void TstAccessibility::keysPressedThroughTheirAction()
{
    Fixture f(1);
    for (const char *key : {"Key_1", "Enzan_1", "Key_2", "Eq"})
        pressAction(f.w, QLatin1String(key));
    QCOMPARE(labelText(f.w, "Disp").trimmed(), QStringLiteral("3"));
    QVERIFY(f.c.ui.Eq_key.picture == Picture::Key_On); // down as a press shows it, up a moment later
    QTRY_VERIFY(f.c.ui.Eq_key.picture == Picture::Key_Off);

    // The same key twice in a row is two presses, even while the first still shows.
    pressAction(f.w, QStringLiteral("Key_4"));
    pressAction(f.w, QStringLiteral("Key_4"));
    QCOMPARE(labelText(f.w, "Disp").trimmed(), QStringLiteral("44"));

    // An unavailable key does nothing.
    pressAction(f.w, QStringLiteral("H_0"));
    QCOMPARE(labelText(f.w, "Disp").trimmed(), QStringLiteral("44"));

    // A function button acts once per press.
    pressAction(f.w, QStringLiteral("His"));
    QTRY_VERIFY(f.w.historyWindow() && f.w.historyWindow()->isVisible());
}

void TstAccessibility::keyBindings_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("key");
    QTest::newRow("digit") << "Key_7"
                           << "Keypad 7";
    QTest::newRow("operator") << "Enzan_4"
                              << "Keypad /";
    QTest::newRow("equals") << "Eq"
                            << "Enter";
    QTest::newRow("clear entry") << "Ce"
                                 << "Delete";
    QTest::newRow("conversion") << "hms"
                                << "Space";
    QTest::newRow("history") << "His"
                             << "L";
    QTest::newRow("quit") << "OFF"
                          << "F";
}

void TstAccessibility::keyBindings()
{
    QFETCH(QString, element);
    QFETCH(QString, key);
    Fixture f(1);
    const Found button = ::element(tree(&f.w), element);
    QVERIFY(button.iface && button.iface->actionInterface());
    QCOMPARE(button.iface->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             QStringList(key));
    QCOMPARE(button.iface->text(QAccessible::Accelerator), key);
}

void TstAccessibility::displayInWords_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("start") << 0 << ""
                           << "0 hours 0 minutes 0 seconds";
    QTest::newRow("H:M:S with operator") << 0 << "13000+"
                                         << "1 hour 30 minutes 0 seconds, plus";
    QTest::newRow("negative H:M:S-Unit") << 2 << "-1h30m+"
                                         << "minus 1 hour 30 minutes 0 seconds, plus";
    QTest::newRow("hundredths") << 0 << "2.5"
                                << "0 hours 0 minutes 2.5 seconds";
    QTest::newRow("negative seconds result") << 1 << "5-10="
                                             << "minus 5 seconds, equals";
    QTest::newRow("one second") << 1 << "1"
                                << "1 second";
    QTest::newRow("fraction of a second") << 1 << ".5*"
                                          << "0.5 seconds, times";
    QTest::newRow("amount waiting for its unit") << 2 << "5"
                                                 << "5, awaiting unit";
    QTest::newRow("clock") << 0 << "T"
                           << "Clock, 12-24-2026 10:20:30";
}

void TstAccessibility::displayInWords()
{
    QFETCH(int, mode);
    QFETCH(QString, keys);
    Fixture f(mode);
    keypad(f.w.windowHandle(), keys);
    QTEST(element(tree(&f.w), QStringLiteral("Disp")).name, "spoken");
    // The sign and operator texts say themselves too.
    const QString op = element(tree(&f.w), QStringLiteral("ENZANSI")).name;
    QVERIFY(op.startsWith(QLatin1String("Operator: ")) || op == QLatin1String("No operator"));
}

void TstAccessibility::displayInWordsOfTwoWindows()
{
    // Each window brings its own display's words up to date, whichever of them ends first.
    Fixture first(1);
    {
        Fixture second(1);
        keypad(second.w.windowHandle(), QStringLiteral("7"));
        keypad(first.w.windowHandle(), QStringLiteral("5"));
        QCOMPARE(element(tree(&second.w), QStringLiteral("Disp")).name, QStringLiteral("7 seconds"));
    }
    keypad(first.w.windowHandle(), QStringLiteral("1"));
    QCOMPARE(element(tree(&first.w), QStringLiteral("Disp")).name, QStringLiteral("51 seconds"));
}

void TstAccessibility::exactDisplayBesideTheWords_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("exact");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("keyed point") << 1 << "12."
                                 << "12."
                                 << "12 seconds";
    QTest::newRow("no point") << 1 << "12"
                              << "12"
                              << "12 seconds";
    QTest::newRow("hundredths") << 0 << "13012"
                                << "-1°30’12.00”"
                                << "minus 1 hour 30 minutes 12 seconds";
}

void TstAccessibility::exactDisplayBesideTheWords()
{
    QFETCH(int, mode);
    QFETCH(QString, keys);
    QFETCH(QString, exact);
    QFETCH(QString, spoken);
    Fixture f(mode);
    const bool negative = exact.startsWith(QLatin1Char('-'));
    if (negative)
        keypad(f.w.windowHandle(), QStringLiteral("-")); // a leading minus
    keypad(f.w.windowHandle(), keys);
    const QList<Found> all = tree(&f.w);
    QCOMPARE(textOf(element(all, QStringLiteral("Disp")).iface).trimmed(), negative ? exact.mid(1) : exact);
    // The focus panel, which keeps the focus, says the words and has the exact form as its text.
    const Found panel = element(all, QStringLiteral("EnterCapt"));
    QCOMPARE(panel.description, spoken);
    QCOMPARE(textOf(panel.iface), exact);
}

void TstAccessibility::historyLinesInWords()
{
    Fixture f(1);
    keypad(f.w.windowHandle(), QStringLiteral("1+2=5-8=U"));
    keypad(f.w.windowHandle(), QStringLiteral(" ")); // to H:M:S
    keypad(f.w.windowHandle(), QStringLiteral("13000+20000="));
    QStringList names;
    int separators = 0;
    for (const Found &e : tree(f.w.historyWindow())) {
        if (e.role == QAccessible::ListItem)
            names << e.name;
        separators += e.role == QAccessible::Separator && e.name.isEmpty();
    }
    QCOMPARE(names, (QStringList{QStringLiteral("1 second"), QStringLiteral("plus 2 seconds"),
                                 QStringLiteral("equals 3 seconds"), QStringLiteral("5 seconds"),
                                 QStringLiteral("minus 8 seconds"), QStringLiteral("equals minus 3 seconds"),
                                 QStringLiteral("1 hour 30 minutes 0 seconds"),
                                 QStringLiteral("plus 2 hours 0 minutes 0 seconds"),
                                 QStringLiteral("equals 3 hours 30 minutes 0 seconds")}));
    QCOMPARE(separators, 3);
}

void TstAccessibility::japaneseUnderAJapaneseLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("seven");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("no");
    QTest::newRow("Japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << "7"
                              << "3秒、イコール"
                              << "いいえ(N)";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "Seven"
                             << "3 seconds, equals"
                             << "No";
    QTest::newRow("German: Qt's own words, the program's in English")
        << QLocale(QLocale::German, QLocale::Germany) << "Seven"
        << "3 seconds, equals"
        << "Nein";
}

void TstAccessibility::japaneseUnderAJapaneseLocale()
{
    QFETCH(QLocale, locale);
    installTranslations(locale, QStringLiteral(VANTORO_QM_DIR));
    Fixture f(1);
    keypad(f.w.windowHandle(), QStringLiteral("1+2="));
    const QList<Found> all = tree(&f.w);
    QTEST(element(all, QStringLiteral("Key_7")).name, "seven");
    QTEST(element(all, QStringLiteral("EnterCapt")).description, "result");
    // Qt's own buttons in the message boxes.
    QMessageBox box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    QTEST(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), "no");
    installTranslations(QLocale::c(), QStringLiteral(VANTORO_QM_DIR));
}

VANTORO_GUI_TEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
