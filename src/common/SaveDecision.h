// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace kestra {

// The one check of a kind of record. Each format defines its specialisation
// beside its CheckXRecord, in the source file of its record, and nowhere
// else: a Checked record cannot be made without passing that check.
template <typename Record> struct RecordCheck;

// A record that passed its kind's check: every value is one the camera can
// hold. Building a file's bytes, writing it, writing a card and testing a
// mailbox take only checked records, so an unchecked record cannot reach a
// file (the compiler refuses it).
template <typename Record> class Checked {
public:
    const Record& record() const noexcept { return m_record; }
    const Record& operator*() const noexcept { return m_record; }
    const Record* operator->() const noexcept { return &m_record; }

private:
    explicit Checked(Record record) : m_record(std::move(record)) {}
    friend struct RecordCheck<Record>;

    Record m_record;
};

// What a settings window's Save decides before anything is written: either the
// checked record to write (after the steps that follow the checks, such as
// copying an operator preset over the texts), or the message of the first check
// that failed, in the session's language. Every door (the window, the command
// line, a card profile, the mail test) runs the same decision, so all refuse
// the same input with the same words.
template <typename Record> struct SaveDecision {
    std::optional<Checked<Record>> checked;
    std::optional<QString> refusal;
    // For a refusal that concerns one field: the record field's name as the
    // format's field table gives it ("phone", "senderEmail", ...), so a window
    // can put the focus there and a profile can name its key; empty otherwise.
    QString field = {};

    bool ok() const { return checked.has_value(); }
    // The record to write; only for a decision that is ok().
    const Record& record() const { return checked->record(); }

    static SaveDecision Refused(QString message, QString refusedField = {})
    {
        return SaveDecision{std::nullopt, std::move(message), std::move(refusedField)};
    }
};

} // namespace kestra
