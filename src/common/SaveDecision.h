// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace kestra {

template <typename Record> struct SaveDecision;

// The one check of a kind of record, and the one maker of its checked records:
// the record itself when the camera can hold every value of it, otherwise the
// refusal of its first finding, naming its field, in Chinese or English. Each
// format defines it once, beside its CheckXSettings in the source file of its
// record, as a plain function (never inline):
//     template <> SaveDecision<X> RecordCheck(X record, bool chinese) { ... }
// A second definition anywhere is a duplicate symbol: the program does not
// link. The formats' CheckXRecord are this check under the format's own name.
template <typename Record> SaveDecision<Record> RecordCheck(Record record, bool chinese);

// A record that passed its kind's check: every value is one the camera can
// hold. Building a file's bytes, writing it and writing a card take only
// checked records, so an unchecked record cannot reach a file (the compiler
// refuses it). The mail test takes the values as shown and runs the ones it
// uses through the same check itself before anything goes out.
//
// A checked record is copied, never moved: a moved-from record would be one
// nobody checked, so std::move(checked) does not compile, and a checked
// record is whole for as long as it lives. Copies are cheap (the texts are
// shared). It is kept in a std::optional or a SaveDecision, or returned as it
// is made (a named one is returned as a copy: `return Checked(checked);`).
template <typename Record> class Checked {
public:
    Checked(const Checked&) = default;
    Checked& operator=(const Checked&) = default;
    Checked(Checked&&) = delete;
    Checked& operator=(Checked&&) = delete;
    ~Checked() = default;

    const Record& record() const noexcept { return m_record; }
    const Record& operator*() const noexcept { return m_record; }
    const Record* operator->() const noexcept { return &m_record; }

private:
    explicit Checked(Record record) : m_record(std::move(record)) {}
    friend SaveDecision<Record> RecordCheck<Record>(Record record, bool chinese);

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
