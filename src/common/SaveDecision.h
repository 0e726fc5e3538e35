// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <optional>

namespace kestra {

// What a settings window's Save decides before anything is written: either the
// record to write (after the steps that follow the checks, such as copying an
// operator preset over the texts), or the message of the first check that
// failed, in the session's language. The window and the command line run the
// same decision, so both refuse the same input with the same words.
template <typename Record> struct SaveDecision {
    Record record;
    std::optional<QString> refusal;
    // For a refusal that concerns one field: the field's control role, so a
    // window can put the focus there ("phone", "email", ...); empty otherwise.
    QString field = {};

    bool ok() const { return !refusal.has_value(); }
};

} // namespace kestra
