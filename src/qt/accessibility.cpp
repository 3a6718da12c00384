#include "qt/accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace vantoro {

namespace {

// "05" as "5", "45.00" as "45", ".5" as "0.5", blanks as "0".
QString spokenNumber(QString n)
{
    n = n.trimmed();
    if (n.contains(QLatin1Char('.')) && !n.contains(QLatin1Char('E'))) {
        while (n.endsWith(QLatin1Char('0')))
            n.chop(1);
        if (n.endsWith(QLatin1Char('.')))
            n.chop(1);
    }
    int lead = 0;
    while (lead + 1 < n.size() && n.at(lead) == QLatin1Char('0') && n.at(lead + 1).isDigit())
        ++lead;
    n.remove(0, lead);
    if (n.startsWith(QLatin1Char('.')))
        n.prepend(QLatin1Char('0'));
    return n.isEmpty() ? QStringLiteral("0") : n;
}

QString amount(const QString &number, const char *unit)
{
    const QString n = spokenNumber(number);
    return n + QLatin1Char(' ') + QLatin1String(unit) + (n == QLatin1String("1") ? QString() : QStringLiteral("s"));
}

QString operatorWord(const QString &mark)
{
    static const struct {
        char16_t mark;
        const char *word;
    } words[] = {{u'＋', "plus"},  {u'－', "minus"},  {u'×', "times"},       {u'÷', "divided by"},
                 {u'＝', "equals"}, {u'％', "percent"}, {u'√', "square root"}};
    const QString m = mark.trimmed();
    for (const auto &w : words)
        if (m == QChar(w.mark))
            return QLatin1String(w.word);
    return {};
}

class KeyFaceAccessible : public QAccessibleWidget
{
public:
    explicit KeyFaceAccessible(QWidget *face) : QAccessibleWidget(face, QAccessible::Graphic) {}
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    // The face is the key's picture; the button beneath it is what acts.
    if (className == QLatin1String("vantoro::KeyFace"))
        return new KeyFaceAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

QString keyName(KeyId key, const MainWindowElements &ui)
{
    switch (key) {
    // The two mode keys name what they would do now.
    case KeyId::Convert:
        return ui.hms.caption.startsWith(QLatin1Char('S')) ? QStringLiteral("Convert seconds to H:M:S")
                                                           : QStringLiteral("Convert H:M:S to seconds");
    case KeyId::AutoUnit:
        if (ui.Unit_input.caption.startsWith(QLatin1String("Auto")))
            return QStringLiteral("Switch to unit input");
        if (ui.Unit_input.caption.startsWith(QLatin1String("Unit")))
            return QStringLiteral("Switch to automatic input");
        return QString::fromLatin1(keyRow(key).spokenName);
    default: return QString::fromLatin1(keyRow(key).spokenName);
    }
}

QString elementName(const QString &name, const MainWindowElements &ui)
{
    if (name == QLatin1String("Title"))
        return ui.Title.caption;
    if (name == QLatin1String("Iconize"))
        return QStringLiteral("Minimise");
    if (name == QLatin1String("DispBack"))
        return QStringLiteral("Display");
    if (name == QLatin1String("Disp"))
        return spokenValue(ui);
    if (name == QLatin1String("MODE")) {
        const QString m = ui.MODE.caption.trimmed();
        if (m == QLatin1String("NOW"))
            return QStringLiteral("Mode: clock");
        if (m == QLatin1String("H:M:S-Auto"))
            return QStringLiteral("Mode: H:M:S, automatic input");
        if (m == QLatin1String("H:M:S-Unit"))
            return QStringLiteral("Mode: H:M:S, unit input");
        return m.isEmpty() ? QStringLiteral("Mode: seconds") : QStringLiteral("Mode: ") + m;
    }
    if (name == QLatin1String("Hugou"))
        return ui.Hugou.caption.trimmed() == QLatin1String("-") ? QStringLiteral("Sign: minus")
                                                                : QStringLiteral("No sign");
    if (name == QLatin1String("ENZANSI")) {
        const QString w = operatorWord(ui.ENZANSI.caption);
        return w.isEmpty() ? QStringLiteral("No operator") : QStringLiteral("Operator: ") + w;
    }
    if (name == QLatin1String("EnterCapt"))
        return QStringLiteral("Calculator keyboard");
    if (name == QLatin1String("OFF"))
        return QStringLiteral("Quit");
    if (name == QLatin1String("CLIP_COPY"))
        return QStringLiteral("Copy value to clipboard");
    if (name == QLatin1String("His"))
        return QStringLiteral("History list");
    if (name == QLatin1String("NowTime"))
        return QStringLiteral("Clock");
    if (name == QLatin1String("About"))
        return QStringLiteral("About Vantoro");
    return {};
}

QString spokenValue(const MainWindowElements &ui)
{
    const QString &d = ui.Disp.caption;
    if (ui.MODE.caption == QLatin1String("NOW"))
        return QStringLiteral("Clock, ") + d.trimmed();

    QString value;
    const qsizetype degree = d.indexOf(QChar(0x00B0)), prime = d.indexOf(QChar(0x2019)),
                    close = d.indexOf(QChar(0x201D));
    if (degree >= 0 && prime > degree && close > prime) {
        value = amount(d.left(degree), "hour") + QLatin1Char(' ') + amount(d.mid(degree + 1, prime - degree - 1), "minute")
                + QLatin1Char(' ') + amount(d.mid(prime + 1, close - prime - 1), "second");
    } else if (ui.MODE.caption.startsWith(QLatin1String("H:M:S"))) {
        // An amount keyed in H:M:S-Unit, waiting for its hour, minute or second key.
        value = spokenNumber(d) + QStringLiteral(", awaiting unit");
    } else {
        value = amount(d, "second");
    }
    if (ui.Hugou.caption.trimmed() == QLatin1String("-"))
        value.prepend(QStringLiteral("minus "));
    const QString op = operatorWord(ui.ENZANSI.caption);
    if (!op.isEmpty())
        value += QStringLiteral(", ") + op;
    return value;
}

QString unavailableText()
{
    return QStringLiteral("unavailable in this mode");
}

void installAccessibleRoles()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(accessibleFor);
    installed = true;
}

} // namespace vantoro
