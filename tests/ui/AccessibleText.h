#pragma once

// What a screen reader reads of a widget through the platform accessibility interface.

#include <QAccessible>
#include <QWidget>

inline QString accessibleText(QWidget* widget, QAccessible::Text kind = QAccessible::Name)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(kind) : QString();
}
