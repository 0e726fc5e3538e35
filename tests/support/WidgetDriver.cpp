// SPDX-License-Identifier: Apache-2.0
#include "support/WidgetDriver.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QWidget>

namespace kestra::test {

bool showAndActivate(QWidget* window)
{
    window->show();
    window->activateWindow();
    QDeadlineTimer deadline(2000);
    while (QApplication::activeWindow() != window && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return QApplication::activeWindow() == window;
}

void pressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = widget ? widget : QApplication::focusWidget();
    if (!target)
        return;
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        text = QStringLiteral("\r");
    else if (key == Qt::Key_Escape)
        text = QString(QChar(0x1B));
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void pickWithKeyboard(QComboBox* combo, int index)
{
    while (combo->currentIndex() < index)
        pressKey(combo, Qt::Key_Down);
    while (combo->currentIndex() > index)
        pressKey(combo, Qt::Key_Up);
}

void processEvents()
{
    QApplication::processEvents();
    QApplication::processEvents();
}

QWidget* focusWidget()
{
    return QApplication::focusWidget();
}

} // namespace kestra::test
