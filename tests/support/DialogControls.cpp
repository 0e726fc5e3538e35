// SPDX-License-Identifier: Apache-2.0
#include "support/DialogControls.h"

#include "support/WidgetDriver.h"
#include "ui/Dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace kestra::test {

void DialogControls::Click(int id) const
{
    qobject_cast<QPushButton*>(openWindow()->Control(id))->click();
}

QComboBox* DialogControls::List(int id) const
{
    return qobject_cast<QComboBox*>(openWindow()->Control(id));
}

QLineEdit* DialogControls::Field(int id) const
{
    return qobject_cast<QLineEdit*>(openWindow()->Control(id));
}

QStringList DialogControls::Entries(int id) const
{
    QStringList entries;
    for (int i = 0; i < List(id)->count(); ++i)
        entries << List(id)->itemText(i);
    return entries;
}

void DialogControls::Pick(int id, int position) const
{
    QComboBox* list = List(id);
    list->setCurrentIndex(position);
    emit list->activated(position);
}

void DialogControls::Retype(int id, const QString& text) const
{
    Field(id)->selectAll();
    if (text.isEmpty())
        pressKey(Field(id), Qt::Key_Delete); // typing nothing would leave the selection
    else
        typeText(Field(id), text);
}

} // namespace kestra::test
