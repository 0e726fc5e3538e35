// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CliSupport.h"
#include "common/SaveDecision.h"
#include "formats/shared/FieldRows.h"
#include "formats/shared/SettingWords.h"
#include "storage/SettingsFileIo.h"
#include "storage/SettingsFinding.h"

#include <QString>

#include <span>
#include <string>

namespace CLI {
class App;
} // namespace CLI

namespace kestra::cli {

// What the three messaging commands share: --out, --from, --lang, an option
// for each key of the file's rows, and the one procedure of a save: the
// --from file read, the options' words read over the window's record by the
// format (XWords.h, as a card profile's are), the write and what is said of it.
class MessagingCommand {
public:
    MessagingCommand(CLI::App& program, const char* name, const char* description, const char* fileName,
                     bool withTvMode, const ParserOptions& options);
    virtual ~MessagingCommand() = default;
    MessagingCommand(const MessagingCommand&) = delete;
    MessagingCommand& operator=(const MessagingCommand&) = delete;

    CLI::App* subcommand() const { return m_command; }
    virtual int run() = 0;

protected:
    // An option for each key of the rows, numbers first, with the rows' help.
    template <typename Record>
    void addKeys(std::span<const NumberField<Record>> numbers, std::span<const TextField<Record>> texts);

    // The --from file's values; a file that does not check clean or cannot be
    // read ends the command (status 2) before anything is written.
    template <typename ReadResult>
    ReadResult readFrom(SettingsFileKind kind, ReadResult (*read)(const QString&), const Session& session) const;
    // Writes the record and ends as the window's Save does: the failed save
    // (status 1) or the saved message and path.
    template <typename Record>
    int save(const Checked<Record>& record, SaveResult (*write)(const QString&, const Checked<Record>&),
             QString (*savedMessage)(const Session&)) const;

    CLI::App* m_command = nullptr;
    std::string m_out;
    std::string m_from;
    SessionOptions m_session;
    KeyOptions m_keys;
    const char* m_fileName;
};

// --- What every messaging command does the same way ---------------------------

template <typename Record>
void MessagingCommand::addKeys(std::span<const NumberField<Record>> numbers, std::span<const TextField<Record>> texts)
{
    for (const NumberField<Record>& field : numbers) {
        if (field.key == nullptr || field.session)
            continue;
        // A number outside any list says its range; a list position, a mode or
        // a catalogue index is given in words.
        const bool plainNumber = field.kind == FindingKind::OutOfRange;
        m_keys.add(*m_command, field.key, field.help,
                   plainNumber ? std::to_string(field.low) + "-" + std::to_string(field.high) : "VALUE");
    }
    for (const TextField<Record>& field : texts)
        m_keys.add(*m_command, field.key, field.help, "TEXT");
}

template <typename ReadResult>
ReadResult MessagingCommand::readFrom(SettingsFileKind kind, ReadResult (*read)(const QString&),
                                      const Session& session) const
{
    RefuseUncheckedFromFile(kind, m_from, session.chineseMessages());
    ReadResult result = read(FromStd(m_from));
    if (result.error)
        throw CliFailure{kExitFailed, FromFileFailure(*result.error, session.chineseMessages())};
    return result;
}

template <typename Record>
int MessagingCommand::save(const Checked<Record>& record, SaveResult (*write)(const QString&, const Checked<Record>&),
                           QString (*savedMessage)(const Session&)) const
{
    // The record carries the session's language code: the messages are in
    // the language the file was written in.
    const Session session = m_session.session(record->languageCode);
    return FinishSave(write(FromStd(m_out), record), session.chineseMessages(), savedMessage(session),
                      SettingsFilePath(FromStd(m_out), QString::fromLatin1(m_fileName)));
}

} // namespace kestra::cli
