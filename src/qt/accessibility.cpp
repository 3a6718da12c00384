// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/accessibility.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QHash>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace vantoro {

namespace {

struct Speech {
    Q_DECLARE_TR_FUNCTIONS(Speech)
};

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

enum class Unit { Hour, Minute, Second };

QString amount(const QString &number, Unit unit)
{
    const QString n = spokenNumber(number);
    const bool one = n == QLatin1String("1");
    switch (unit) {
    case Unit::Hour: return (one ? Speech::tr("%1 hour") : Speech::tr("%1 hours")).arg(n);
    case Unit::Minute: return (one ? Speech::tr("%1 minute") : Speech::tr("%1 minutes")).arg(n);
    case Unit::Second: break;
    }
    return (one ? Speech::tr("%1 second") : Speech::tr("%1 seconds")).arg(n);
}

QString operatorWord(const QString &mark)
{
    const QString m = mark.trimmed();
    if (m == u"＋")
        return Speech::tr("plus");
    if (m == u"－")
        return Speech::tr("minus");
    if (m == u"×")
        return Speech::tr("times");
    if (m == u"÷")
        return Speech::tr("divided by");
    if (m == u"＝")
        return Speech::tr("equals");
    if (m == u"％")
        return Speech::tr("percent");
    if (m == u"√")
        return Speech::tr("square root");
    return {};
}

// A duration in the H:M:S form of the display and the history ("  1°30’00.00”") in words,
// or an empty text when `text` is not in that form.
QString spokenHms(const QString &text)
{
    const qsizetype degree = text.indexOf(QChar(0x00B0)), prime = text.indexOf(QChar(0x2019)),
                    close = text.indexOf(QChar(0x201D));
    if (degree < 0 || prime < degree || close < prime)
        return {};
    return Speech::tr("%1 %2 %3", "hours, minutes, seconds")
        .arg(amount(text.left(degree), Unit::Hour), amount(text.mid(degree + 1, prime - degree - 1), Unit::Minute),
             amount(text.mid(prime + 1, close - prime - 1), Unit::Second));
}

QString withSign(const QString &value, bool negative)
{
    return negative ? Speech::tr("minus %1", "a negative value").arg(value) : value;
}

const char *const OutOfTree = "vantoroOutOfTree";
const char *const RoleProperty = "vantoroAccessibleRole";
const char *const KeyBindingsProperty = "vantoroKeyBindings";
const char *const TextProperty = "vantoroAccessibleText";
const char *const DescriptionProperty = "vantoroAccessibleDescription";

// Children a reader is shown: not the pictures kept out, not widgets hidden for good.
bool presentable(const QWidget *w)
{
    if (w->isWindow() || w->property(OutOfTree).toBool())
        return false;
    return !(w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden));
}

// By window: what brings its deferred texts up to date.
QHash<const QWidget *, std::function<void()>> &deferredTexts()
{
    static QHash<const QWidget *, std::function<void()>> byWindow;
    return byWindow;
}

void bringDeferredTextsUpToDate(const QWidget *widget)
{
    const auto found = deferredTexts().constFind(widget->window());
    if (found != deferredTexts().cend())
        (*found)();
}

// An assistive technology that starts listening finds the texts up to date.
class ListeningStarts : public QAccessible::ActivationObserver
{
public:
    void accessibilityActiveChanged(bool active) override
    {
        if (!active)
            return;
        const auto all = deferredTexts(); // a copy: bringing texts up to date may add windows
        for (const std::function<void()> &bringUpToDate : all)
            bringUpToDate();
    }
};

class TreeAccessible : public QAccessibleWidget
{
public:
    TreeAccessible(QWidget *w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

    QString text(QAccessible::Text t) const override
    {
        bringDeferredTextsUpToDate(widget());
        const QVariant announced = widget()->property(DescriptionProperty);
        if (t == QAccessible::Description && announced.isValid())
            return announced.toString();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> all = children();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || !child->object())
            return -1;
        return int(children().indexOf(qobject_cast<QWidget *>(child->object())));
    }

private:
    QList<QWidget *> children() const
    {
        QList<QWidget *> out;
        for (QObject *o : widget()->children()) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && presentable(w))
                out << w;
        }
        return out;
    }
};

// A button pressed through its action as a click presses it: the key goes down at once
// and comes up a moment later.
class ButtonAccessible : public TreeAccessible
{
public:
    explicit ButtonAccessible(QWidget *w) : TreeAccessible(w, QAccessible::PushButton) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Accelerator)
            return keys().value(0);
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text();
        return TreeAccessible::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = TreeAccessible::state();
        s.pressed = button()->isDown();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action != pressAction() || !widget()->isEnabled())
            return;
        // A second press while the first is still shown down is a press of its own.
        if (button()->isDown())
            button()->click();
        else
            button()->animateClick();
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        return action == pressAction() ? keys() : QStringList();
    }

private:
    QAbstractButton *button() const { return static_cast<QAbstractButton *>(widget()); }
    QStringList keys() const { return widget()->property(KeyBindingsProperty).toStringList(); }
};

// A widget whose text is read through the text interface: the display's exact caption.
class TextAccessible : public TreeAccessible, public QAccessibleTextInterface
{
public:
    using TreeAccessible::text;

    TextAccessible(QWidget *w, QAccessible::Role role) : TreeAccessible(w, role) {}

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return TreeAccessible::interface_cast(t);
    }

    QString text(int start, int end) const override { return content().mid(start, end - start); }
    int characterCount() const override { return int(content().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QString content() const
    {
        bringDeferredTextsUpToDate(widget());
        return accessibleText(widget());
    }
};

// A message box: its title and text, and of its children only those it shows.
class MessageBoxAccessible : public TreeAccessible
{
public:
    explicit MessageBoxAccessible(QWidget *w) : TreeAccessible(w, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *box = static_cast<const QMessageBox *>(widget());
        if (t == QAccessible::Name)
            return box->windowTitle().isEmpty() ? box->text() : box->windowTitle();
        if (t == QAccessible::Description || t == QAccessible::Value)
            return box->text();
        return TreeAccessible::text(t);
    }
};

// A line of the history list: its words for a reader, and a separator that readers skip.
class HistoryLineAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    HistoryLineAccessible(QListWidget *list, int row) : m_list(list), m_row(row) {}

    bool isValid() const override { return m_list && m_row < m_list->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_list.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override
    {
        return isHistorySeparator(line()) ? QAccessible::Separator : QAccessible::ListItem;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? spokenHistoryLine(line()) : QString();
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = m_list->visualItemRect(m_list->item(m_row));
        return QRect(m_list->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        const bool separator = role() == QAccessible::Separator;
        s.invisible = !m_list->isVisible();
        s.selectable = !separator;
        s.focusable = !separator;
        s.selected = m_list->item(m_row)->isSelected();
        s.focused = m_list->hasFocus() && m_list->currentRow() == m_row;
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    // Activating a line recalls it, as a double-click does.
    QStringList actionNames() const override
    {
        return isValid() && role() == QAccessible::ListItem ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString &action) override
    {
        if (action != pressAction() || !isValid())
            return;
        m_list->setCurrentRow(m_row);
        emit m_list->itemDoubleClicked(m_list->item(m_row));
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QString line() const { return isValid() ? m_list->item(m_row)->text() : QString(); }
    QPointer<QListWidget> m_list;
    int m_row;
};

class HistoryListAccessible : public QAccessibleWidget
{
public:
    explicit HistoryListAccessible(QListWidget *list) : QAccessibleWidget(list, QAccessible::List) {}
    ~HistoryListAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_lines))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->count(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= list()->count())
            return nullptr;
        QAccessible::Id &id = m_lines[index];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new HistoryLineAccessible(list(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (auto it = m_lines.cbegin(); it != m_lines.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        return -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        return list()->hasFocus() && list()->currentRow() >= 0 ? child(list()->currentRow()) : nullptr;
    }

private:
    QListWidget *list() const { return static_cast<QListWidget *>(widget()); }
    mutable QHash<int, QAccessible::Id> m_lines;
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    // Decided once per object, at its own class, before the toolkit's interfaces.
    if (!object || !object->isWidgetType() || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto *w = static_cast<QWidget *>(object);
    if (qobject_cast<QAbstractButton *>(w) && w->property(KeyBindingsProperty).isValid())
        return new ButtonAccessible(w);
    if (auto *box = qobject_cast<QMessageBox *>(w))
        return new MessageBoxAccessible(box);
    const QVariant role = w->property(RoleProperty);
    if (!role.isValid())
        return nullptr;
    if (auto *list = qobject_cast<QListWidget *>(w))
        return new HistoryListAccessible(list);
    if (w->property(TextProperty).isValid())
        return new TextAccessible(w, QAccessible::Role(role.toInt()));
    return new TreeAccessible(w, QAccessible::Role(role.toInt()));
}

} // namespace

QString keyName(KeyId key, const MainWindowElements &ui)
{
    switch (key) {
    // The two mode keys name what they would do now.
    case KeyId::Convert:
        return ui.hms.caption.startsWith(QLatin1Char('S')) ? Speech::tr("Convert seconds to H:M:S")
                                                           : Speech::tr("Convert H:M:S to seconds");
    case KeyId::AutoUnit:
        if (ui.Unit_input.caption.startsWith(QLatin1String("Auto")))
            return Speech::tr("Switch to unit input");
        if (ui.Unit_input.caption.startsWith(QLatin1String("Unit")))
            return Speech::tr("Switch to automatic input");
        break;
    default: break;
    }
    return QCoreApplication::translate("Key", keyRow(key).spokenName);
}

QString elementName(const QString &name, const MainWindowElements &ui)
{
    if (name == QLatin1String("Title"))
        return ui.Title.caption;
    if (name == QLatin1String("Iconize"))
        return Speech::tr("Minimise");
    if (name == QLatin1String("DispBack"))
        return Speech::tr("Display");
    if (name == QLatin1String("Disp"))
        return spokenValue(ui);
    if (name == QLatin1String("MODE")) {
        const QString m = ui.MODE.caption.trimmed();
        if (m == QLatin1String("NOW"))
            return Speech::tr("Mode: clock");
        if (m == QLatin1String("H:M:S-Auto"))
            return Speech::tr("Mode: H:M:S, automatic input");
        if (m == QLatin1String("H:M:S-Unit"))
            return Speech::tr("Mode: H:M:S, unit input");
        return m.isEmpty() ? Speech::tr("Mode: seconds") : Speech::tr("Mode: %1").arg(m);
    }
    if (name == QLatin1String("Hugou"))
        return ui.Hugou.caption.trimmed() == QLatin1String("-") ? Speech::tr("Sign: minus") : Speech::tr("No sign");
    if (name == QLatin1String("ENZANSI")) {
        const QString w = operatorWord(ui.ENZANSI.caption);
        return w.isEmpty() ? Speech::tr("No operator") : Speech::tr("Operator: %1").arg(w);
    }
    if (name == QLatin1String("EnterCapt"))
        return Speech::tr("Calculator keyboard");
    // The function row by what it does in full; the key table's names are short.
    if (name == QLatin1String("OFF"))
        return Speech::tr("Quit");
    if (name == QLatin1String("CLIP_COPY"))
        return Speech::tr("Copy value to clipboard");
    if (name == QLatin1String("His"))
        return Speech::tr("History list");
    if (name == QLatin1String("NowTime"))
        return Speech::tr("Clock");
    if (name == QLatin1String("About"))
        return Speech::tr("About Vantoro");
    return {};
}

QString spokenValue(const MainWindowElements &ui)
{
    const QString &d = ui.Disp.caption;
    if (ui.MODE.caption == QLatin1String("NOW"))
        return Speech::tr("Clock, %1").arg(d.trimmed());

    QString value = spokenHms(d);
    if (value.isEmpty()) {
        if (ui.MODE.caption.startsWith(QLatin1String("H:M:S"))) // an amount waiting for its unit key
            value = Speech::tr("%1, awaiting unit").arg(spokenNumber(d));
        else
            value = amount(d, Unit::Second);
    }
    value = withSign(value, ui.Hugou.caption.trimmed() == QLatin1String("-"));
    const QString op = operatorWord(ui.ENZANSI.caption);
    return op.isEmpty() ? value : Speech::tr("%1, %2", "value, operator").arg(value, op);
}

QString exactValue(const MainWindowElements &ui)
{
    const QString sign = ui.Hugou.caption.trimmed();
    return sign + ui.Disp.caption.trimmed();
}

QString unavailableText(KeyId key, const CalcState &st)
{
    const bool operatorKey = key >= KeyId::Add && key <= KeyId::Divide;
    if (st.EntryIdx == 2 && st.Mode == ModeNo::Unit && (operatorKey || key == KeyId::Equals || key == KeyId::Convert))
        return Speech::tr("unavailable until the number gets its unit");
    if (key == KeyId::AutoUnit && st.DigitCount > 0 && st.Mode != ModeNo::Seconds)
        return Speech::tr("unavailable while a number is being keyed");
    return Speech::tr("unavailable in this mode");
}

bool isHistorySeparator(const QString &line)
{
    return line.startsWith(QChar(0x2500));
}

QString spokenHistoryLine(const QString &line)
{
    if (isHistorySeparator(line))
        return {};
    const QString mark = line.left(2);
    QString number = line.mid(2);
    const bool negative = number.trimmed().startsWith(QLatin1Char('-'));
    if (negative)
        number.remove(number.indexOf(QLatin1Char('-')), 1);
    QString value = spokenHms(number);
    if (value.isEmpty())
        value = amount(number, Unit::Second);
    value = withSign(value, negative);
    const QString op = operatorWord(mark);
    return op.isEmpty() ? value : Speech::tr("%1 %2", "operator, value").arg(op, value);
}

// A widget may have had its interface made, and kept, before it was given what decides
// which one it gets (a list view makes one as it is constructed): that one goes.
void renewInterface(QWidget *widget)
{
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

void setAccessibleRole(QWidget *widget, QAccessible::Role role)
{
    widget->setProperty(RoleProperty, int(role));
    renewInterface(widget);
}

void keepOutOfAccessibleTree(QWidget *widget)
{
    widget->setProperty(OutOfTree, true);
}

void setKeyBindings(QWidget *widget, const QStringList &keys)
{
    const bool first = !widget->property(KeyBindingsProperty).isValid();
    widget->setProperty(KeyBindingsProperty, keys);
    if (first)
        renewInterface(widget);
}

void announceDescription(QWidget *widget, const QString &description)
{
    const QVariant old = widget->property(DescriptionProperty);
    if (old.isValid() && old.toString() == description)
        return;
    widget->setProperty(DescriptionProperty, description);
    if (!old.isValid())
        renewInterface(widget);
    QAccessibleInterface *iface = QAccessible::isActive() ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    if (!iface)
        return;
    // Qt 6.4's AT-SPI bridge sends the object instead of the new text with a description
    // change, and Orca, which speaks the text an event brings, has nothing to say (its log:
    // "bad content sent to speak()"). So the event goes out here, on the bridge's own
    // connection to the accessibility bus and from the object's path there, with the text.
    QDBusConnection bus(QStringLiteral("a11y"));
    if (!bus.isConnected())
        return;
    QDBusMessage event = QDBusMessage::createSignal(QStringLiteral("/org/a11y/atspi/accessible/")
                                                        + QString::number(QAccessible::uniqueId(iface)),
                                                    QStringLiteral("org.a11y.atspi.Event.Object"),
                                                    QStringLiteral("PropertyChange"));
    event << QStringLiteral("accessible-description") << 0 << 0 << QVariant::fromValue(QDBusVariant(description))
          << QVariantMap();
    bus.send(event);
}

void setAccessibleText(QWidget *widget, const QString &text)
{
    const QString old = widget->property(TextProperty).toString();
    const bool first = !widget->property(TextProperty).isValid();
    if (!first && old == text)
        return;
    widget->setProperty(TextProperty, text);
    if (first)
        renewInterface(widget);
    else if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(widget, 0, old, text);
        QAccessible::updateAccessibility(&event);
    }
}

QString accessibleText(const QWidget *widget)
{
    return widget->property(TextProperty).toString();
}

void setDeferredAccessibleTexts(const QWidget *window, std::function<void()> bringUpToDate)
{
    static ListeningStarts observer;
    static bool observing = false;
    if (!observing)
        QAccessible::installActivationObserver(&observer);
    observing = true;
    deferredTexts().insert(window, std::move(bringUpToDate));
}

void endDeferredAccessibleTexts(const QWidget *window)
{
    deferredTexts().remove(window);
}

void installAccessibleRoles()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(accessibleFor);
    installed = true;
}

} // namespace vantoro
