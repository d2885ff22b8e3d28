// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibletree.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <algorithm>

namespace {

const char *const RoleProperty = "vlajkorAccessibleRole";

// A control with a role of its own: its name is its accessible name (or a window's
// title), it offers no text of its own to read past that name, and its children are the
// shown ones in reading order.
class Accessible : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return int(AccessibleTree::readingOrder(widget()).size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = AccessibleTree::readingOrder(widget());
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index])
                                                     : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || !child->object() || !child->object()->isWidgetType())
            return -1;
        return int(AccessibleTree::readingOrder(widget()).indexOf(static_cast<QWidget *>(child->object())));
    }
};

} // namespace

void AccessibleTree::setRole(QWidget *widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(&AccessibleTree::make);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(RoleProperty, int(role));
    // Some Qt releases (6.8) make a widget's accessible object at its first change even
    // with no screen reader about, and keep it: one made before the role was given is
    // dropped, so that the next to ask gets one with the role.
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget);
    if (made && made->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

QAccessibleInterface *AccessibleTree::make(const QString &, QObject *object)
{
    const QVariant role = object->property(RoleProperty);
    if (!role.isValid() || !object->isWidgetType())
        return nullptr;
    return new Accessible(static_cast<QWidget *>(object), QAccessible::Role(role.toInt()));
}

QList<QWidget *> AccessibleTree::readingOrder(const QWidget *widget)
{
    QList<QWidget *> shown;
    for (QObject *child : widget->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (control && !control->isWindow() && !control->isHidden())
            shown << control;
    }
    // Line by line: a line is what starts above the bottom of the shortest of the controls
    // at its top; within a line, left to right by their middles, since small controls may
    // lie over the edge of a wide one.
    std::stable_sort(shown.begin(), shown.end(), [](QWidget *a, QWidget *b) { return a->y() < b->y(); });
    for (auto line = shown.begin(); line != shown.end();) {
        const int top = (*line)->y();
        int bottom = (*line)->geometry().bottom();
        for (auto w = line; w != shown.end() && (*w)->y() == top; ++w)
            bottom = std::min(bottom, (*w)->geometry().bottom());
        const auto end = std::find_if(line, shown.end(), [bottom](QWidget *w) { return w->y() > bottom; });
        std::stable_sort(line, end, [](QWidget *a, QWidget *b) {
            return a->geometry().center().x() < b->geometry().center().x();
        });
        line = end;
    }
    return shown;
}
