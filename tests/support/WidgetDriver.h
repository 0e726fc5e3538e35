// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <Qt>

class QComboBox;
class QWidget;

namespace kestra::test {

// Drives real widgets the way a user does, through the event system (the
// tests do not link QtTest).

// Shows the window and waits until it is the active window, so focus moves
// behave as on a desktop. False if it never became active.
bool showAndActivate(QWidget* window);

// Sends a key press and release to `widget` (the focus widget when null).
void pressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Types `text` into `widget` one character at a time.
void typeText(QWidget* widget, const QString& text);

// Picks entry `index` of a closed drop-down list with the keyboard, as a user
// stepping through it with the arrow keys would (each step is a pick).
void pickWithKeyboard(QComboBox* combo, int index);

// Lets queued events and zero-delay timers run.
void processEvents();

// The widget that has the keyboard focus, or null.
QWidget* focusWidget();

} // namespace kestra::test
