// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace kestra::test {

// The name a screen reader announces for `control`, asked through QAccessible
// as one asks. Qt on Linux gives a list its current entry as its name and
// its label through the Label relation (elsewhere the label is the name), so
// a list answers with its label when it has one. An interface that is not the
// control's own (a dead one left in Qt's cache under a reused address) makes
// the test fail instead of crashing it.
inline QString AnnouncedName(QWidget* control)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    if (!iface || !iface->isValid() || iface->object() != control)
        return QStringLiteral("<no interface of its own>");
    if (iface->role() == QAccessible::ComboBox) {
        const auto labels = iface->relations(QAccessible::Label);
        if (!labels.isEmpty())
            return labels.first().first->text(QAccessible::Name);
    }
    return iface->text(QAccessible::Name);
}

} // namespace kestra::test
