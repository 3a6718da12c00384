// What a screen reader finds in the real windows: every key, button, text and list named,
// with a role it can announce, the keys' availability and the display in words.
#include <QAccessible>
#include <QListWidget>
#include <QtTest>

#include "gui_fixture.h"
#include "qt/fonts.h"

using namespace vantoro;
using namespace vantoro::test;

namespace {

struct Found {
    QString objectName;
    QAccessible::Role role;
    QString name, description;
    bool disabled;
};

// Every element under `root`, depth first, as the accessibility tree gives it.
void walk(QAccessibleInterface *iface, QList<Found> &out, int depth = 0)
{
    if (!iface || depth > 20)
        return;
    const QObject *o = iface->object();
    out << Found{o ? o->objectName() : QString(), iface->role(), iface->text(QAccessible::Name),
                 iface->text(QAccessible::Description), bool(iface->state().disabled)};
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
    case QAccessible::Dialog:
        return true;
    default:
        return false;
    }
}

} // namespace

class TstAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyElementNamed();
    void keysSayWhatTheyDo_data();
    void keysSayWhatTheyDo();
    void availabilityAnnounced();
    void displayInWords_data();
    void displayInWords();
};

void TstAccessibility::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    installFontSubstitutes();
}

void TstAccessibility::everyElementNamed()
{
    Fixture f(0);
    keypad(f.w.windowHandle(), QStringLiteral("1+2=LA"));
    QVERIFY(f.w.historyWindow() && f.w.aboutWindow());

    const struct {
        QWidget *window;
        int minimum; // elements expected at least
    } windows[] = {{&f.w, 1 + 13 + 3 * 25}, {f.w.historyWindow(), 2 + 4}, {f.w.aboutWindow(), 9}};
    for (const auto &w : windows) {
        const QList<Found> all = tree(w.window);
        QVERIFY2(all.size() >= w.minimum, qPrintable(QStringLiteral("%1: %2").arg(w.window->objectName()).arg(all.size())));
        for (const Found &e : all) {
            if (!mustBeNamed(e.role))
                continue;
            QVERIFY2(!e.name.trimmed().isEmpty(),
                     qPrintable(QStringLiteral("%1: %2 without a name").arg(w.window->objectName(), e.objectName)));
            // Names say what an element is, not how the program calls it.
            QVERIFY2(e.name != e.objectName || e.objectName == QLatin1String("OK"), qPrintable(e.objectName));
        }
    }

    const QList<Found> main = tree(&f.w);
    for (const char *name : {"Key_7", "Enzan_1", "Eq", "OFF", "CLIP_COPY", "His", "NowTime", "About", "Iconize"})
        QCOMPARE(element(main, QLatin1String(name)).role, QAccessible::PushButton);
    for (const char *name : {"Disp", "MODE", "Hugou", "ENZANSI", "Title", "Key_NumOn_7", "Enzan_Label_0"})
        QCOMPARE(element(main, QLatin1String(name)).role, QAccessible::StaticText);
    QCOMPARE(element(main, QStringLiteral("Tenkey_7")).role, QAccessible::Graphic);

    const QList<Found> history = tree(f.w.historyWindow());
    QCOMPARE(element(history, QStringLiteral("His_List")).role, QAccessible::List);
    int items = 0;
    for (const Found &e : history)
        items += e.role == QAccessible::ListItem && !e.name.isEmpty();
    QCOMPARE(items, 4);

    const QList<Found> about = tree(f.w.aboutWindow());
    QCOMPARE(element(about, QStringLiteral("OK")).role, QAccessible::PushButton);
    QCOMPARE(element(about, QStringLiteral("ABOUTBOX_VER")).name, QStringLiteral("Ver. 4.2"));
    QCOMPARE(element(about, QStringLiteral("CopyRight")).role, QAccessible::StaticText);
}

void TstAccessibility::keysSayWhatTheyDo_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("name");
    QTest::newRow("digit") << 0 << "Key_7" << "Seven";
    QTest::newRow("its legend") << 0 << "Key_NumOn_0" << "Zero";
    QTest::newRow("its face") << 0 << "Tenkey_3" << "Three";
    QTest::newRow("plus") << 0 << "Enzan_1" << "Plus";
    QTest::newRow("divide") << 0 << "Enzan_4" << "Divided by";
    QTest::newRow("root") << 1 << "ROOT" << "Square root";
    QTest::newRow("percent") << 1 << "PER" << "Percent";
    QTest::newRow("hours") << 2 << "H_0" << "Hours";
    QTest::newRow("seconds key") << 2 << "H_2" << "Seconds";
    QTest::newRow("conversion in H:M:S") << 0 << "hms" << "Convert H:M:S to seconds";
    QTest::newRow("conversion in seconds") << 1 << "hms" << "Convert seconds to H:M:S";
    QTest::newRow("input mode in Auto") << 0 << "Unit_input" << "Switch to unit input";
    QTest::newRow("input mode in Unit") << 2 << "Unit_input" << "Switch to automatic input";
    QTest::newRow("point") << 1 << "kanma" << "Decimal point";
    QTest::newRow("clock") << 0 << "NowTime" << "Clock";
    QTest::newRow("quit") << 0 << "OFF" << "Quit";
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
    QCOMPARE(element(tree(&f.w), QStringLiteral("Enzan_Label_8")).description, QStringLiteral("unavailable in this mode"));
    QVERIFY(!element(tree(&f.w), QStringLiteral("Key_7")).disabled);
    // An available key's description is its tooltip: the keyboard key that does the same.
    QCOMPARE(element(tree(&f.w), QStringLiteral("Key_7")).description, QStringLiteral("Keypad 7"));

    keypad(f.w.windowHandle(), QStringLiteral("U")); // to H:M:S-Unit: the unit keys become available
    h = element(tree(&f.w), QStringLiteral("H_0"));
    QVERIFY(!h.disabled);
    QCOMPARE(h.description, QStringLiteral("H"));
    QVERIFY(element(tree(&f.w), QStringLiteral("Enzan_Label_8")).description.isEmpty());
}

void TstAccessibility::displayInWords_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("start") << 0 << "" << "0 hours 0 minutes 0 seconds";
    QTest::newRow("H:M:S with operator") << 0 << "13000+" << "1 hour 30 minutes 0 seconds, plus";
    QTest::newRow("negative H:M:S-Unit") << 2 << "-1h30m+" << "minus 1 hour 30 minutes 0 seconds, plus";
    QTest::newRow("hundredths") << 0 << "2.5" << "0 hours 0 minutes 2.5 seconds";
    QTest::newRow("negative seconds result") << 1 << "5-10=" << "minus 5 seconds, equals";
    QTest::newRow("one second") << 1 << "1" << "1 second";
    QTest::newRow("fraction of a second") << 1 << ".5*" << "0.5 seconds, times";
    QTest::newRow("amount waiting for its unit") << 2 << "5" << "5, awaiting unit";
    QTest::newRow("clock") << 0 << "T" << "Clock, 12-24-2026 10:20:30";
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

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
