// SPDX-License-Identifier: GPL-3.0-or-later
// The accessibility factory for windows and combo boxes.
#include "app/accessibleroles.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace {

class AccessibleComboBox : public QAccessibleWidget
{
public:
    explicit AccessibleComboBox(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return comboBox()->currentText();
        // The label's text or the name given to the box, never its value.
        return QAccessibleWidget::text(t);
    }

    // The list of items, then the text field of an editable box.
    int childCount() const override { return comboBox()->lineEdit() ? 2 : 1; }

    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(comboBox()->view());
        if (index == 1 && comboBox()->lineEdit())
            return QAccessible::queryAccessibleInterface(comboBox()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        if (child->object() == comboBox()->view())
            return 0;
        if (comboBox()->lineEdit() && child->object() == comboBox()->lineEdit())
            return 1;
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        QLineEdit *edit = comboBox()->lineEdit();
        if (edit && edit->rect().contains(edit->mapFromGlobal(QPoint(x, y))))
            return child(1);
        return nullptr;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = comboBox()->view()->isVisible();
        s.editable = comboBox()->isEditable();
        return s;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction())
            comboBox()->showPopup();
    }

private:
    QComboBox *comboBox() const { return static_cast<QComboBox *>(widget()); }
};

// A window built straight on QWidget (the card panel, the calculator, the help window): Qt
// would announce it as a filler. The role follows the widget, which may be made before it is
// put into a window or taken out of one.
class AccessibleWindow : public QAccessibleWidget
{
public:
    explicit AccessibleWindow(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Window) {}

    QAccessible::Role role() const override
    {
        return widget()->isWindow() ? QAccessible::Window : QAccessible::Client;
    }
};

// Whether the first Qt class the widget's class derives from is QWidget itself; controls and
// dialogs have interfaces of their own.
bool builtOnPlainWidget(const QObject &object)
{
    for (const QMetaObject *meta = object.metaObject(); meta; meta = meta->superClass()) {
        if (meta->className()[0] == 'Q')
            return qstrcmp(meta->className(), "QWidget") == 0;
    }
    return false;
}

QAccessibleInterface *accessibleFor(const QString &key, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    // Asked once for each class of the object's hierarchy: answer at the most derived one.
    if (key != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return new AccessibleComboBox(combo);
    if (builtOnPlainWidget(*widget))
        return new AccessibleWindow(widget);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&accessibleFor);
}
