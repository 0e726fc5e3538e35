// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>

#include <cstddef>

namespace kestra {

// One typed text of a settings record, as its format's field table gives it.
// The table is the one place its limit lives: the record check refuses a
// longer text, the window's edit control takes its length limit from it, and
// the command line and a card profile name the field by its key.
template <typename Record> struct TextField {
    const char* name;           // the record field, as findings and refusals name it
    const char* key;            // the command-line option (after "--") and the profile key
    QByteArray Record::*member; // where the record holds it
    qsizetype limit;            // at most this many code page 936 bytes
    std::size_t block;          // the file's block that stores it
};

// The entry of `fields` named `name`, or null.
template <typename Fields> const auto* FindTextField(const Fields& fields, const QString& name)
{
    for (const auto& field : fields) {
        if (name == QLatin1String(field.name))
            return &field;
    }
    return static_cast<const typename Fields::value_type*>(nullptr);
}

} // namespace kestra
