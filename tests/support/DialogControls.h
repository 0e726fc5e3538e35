// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;

namespace kestra::ui {
class CDialog;
}

namespace kestra::test {

// A window test's hands on the window's controls by id, used the way a user
// uses them. A fixture derives from it and says which window is open.
class DialogControls {
public:
    virtual ~DialogControls() = default;

    void Click(int id) const;
    QComboBox* List(int id) const;
    QLineEdit* Field(int id) const;
    QStringList Entries(int id) const;
    // Picks a list entry as the user does (the list reports the pick).
    void Pick(int id, int position) const;
    // Selects the field's text and types `text` over it (an empty text deletes it).
    void Retype(int id, const QString& text) const;

protected:
    virtual ui::CDialog* openWindow() const = 0;
};

} // namespace kestra::test
