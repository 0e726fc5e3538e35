// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CliSupport.h"
#include "common/SaveDecision.h"
#include "formats/shared/SettingsValues.h"
#include "storage/SettingsFileIo.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>
#include <QStringList>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace kestra::cli {

// A typed text of a settings window given as an option: set only when the
// option is on the command line, so an empty value clears a field.
struct TextOption {
    const char* flag;
    const char* help;
    std::string value;
    CLI::Option* option = nullptr;

    bool given() const;
    // The text in code page 936, as the window writes it; a character the
    // code page cannot hold is refused, naming the option.
    QByteArray bytes() const;
};

// What the three messaging commands share: --out, --from, --lang, the
// pictures-per-day limit and the SMS control interval, and the one procedure
// of a save: the --from file read, the options over the window's record, the
// window's save step, the write and what is said of it.
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
    // A typed text; its option is in the parser when `options` wants it.
    TextOption& addText(const char* flag, const char* help, const ParserOptions& options);
    // The typed text whose option is "--" + `key`; null when there is none.
    const TextOption* textOption(const char* key) const;
    int smsControlPosition(const QStringList& english, const QStringList& shown) const;
    bool picturesGiven() const;

    // The --from file's values; a file that does not check clean or cannot be
    // read ends the command (status 2) before anything is written.
    template <typename ReadResult>
    ReadResult readFrom(SettingsFileKind kind, ReadResult (*read)(const QString&), const Session& session) const;
    // The typed texts, --pictures-per-day and --sms-control (the list in
    // English and in the session's language) over `shown`, then the window's
    // save step: the checked record to write, or the window's refusal
    // (status 2) naming the option of a refused text (`fields`: the format's
    // field table).
    template <typename Record, typename Fields>
    Checked<Record> decide(Record shown, int Record::*picturesPerDay, const QStringList& smsControlEnglish,
                           const QStringList& smsControlShown,
                           SaveDecision<Record> (*prepareSave)(const Record&, const Session&), const Session& session,
                           const Fields& fields) const;
    // Writes the record and ends as the window's Save does: the failed save
    // (status 1) or the saved message and path.
    template <typename Record>
    int save(const Checked<Record>& record, SaveResult (*write)(const QString&, const Checked<Record>&),
             QString (*savedMessage)(const Session&)) const;

    CLI::App* m_command = nullptr;
    std::string m_out;
    std::string m_from;
    SessionOptions m_session;
    std::string m_smsControl;
    int m_picturesPerDay = 0;
    CLI::Option* m_picturesOption = nullptr; // null when the parser has no --pictures-per-day
    std::vector<std::unique_ptr<TextOption>> m_texts;
    const char* m_fileName;
};

// The operator catalogue of a command with a preset mode (mms, gprs) and how
// its refusals name that mode.
struct OperatorCatalogue {
    const char* presetMode;   // "preset", "auto"
    const char* presetWrites; // what the preset mode writes instead of typed texts
    int (*findCountry)(const QString& option, const QString& value);
    int (*findOperator)(const QString& option, int country, const QString& value);
    int (*operatorCount)(int country);
    QString (*englishCountryName)(int country);
};

// mms and gprs: a preset mode, in which the country's operator gives the
// connection texts, and a custom mode, in which they are typed.
class OperatorCommand : public MessagingCommand {
protected:
    OperatorCommand(CLI::App& program, const char* name, const char* description, const char* fileName, bool withTvMode,
                    const char* modeHelp, const char* countryHelp, const char* operatorHelp,
                    const ParserOptions& options);

    // Whether --mode names the mode list's first entry (the preset mode);
    // nothing when --mode is not given.
    std::optional<bool> presetModeChosen(const QStringList& english, const QStringList& shown) const;
    // The custom mode's texts are refused in the preset mode and --country and
    // --operator in the custom mode; then the country and operator chosen.
    void chooseOperator(bool preset, std::initializer_list<const TextOption*> customTexts, int& country,
                        int& operatorIndex, const OperatorCatalogue& catalogue) const;

private:
    std::string m_mode;
    std::string m_country;
    std::string m_operator;
};

// --- What every messaging command does the same way ---------------------------

template <typename ReadResult>
ReadResult MessagingCommand::readFrom(SettingsFileKind kind, ReadResult (*read)(const QString&),
                                      const Session& session) const
{
    RefuseUncheckedFromFile(kind, m_from, session.chineseMessages());
    ReadResult result = read(FromStd(m_from));
    if (result.error)
        RefuseUsage(QStringLiteral("--from: %1").arg(result.error->message(session.chineseMessages())));
    return result;
}

template <typename Record, typename Fields>
Checked<Record> MessagingCommand::decide(Record shown, int Record::*picturesPerDay,
                                         const QStringList& smsControlEnglish, const QStringList& smsControlShown,
                                         SaveDecision<Record> (*prepareSave)(const Record&, const Session&),
                                         const Session& session, const Fields& fields) const
{
    // Each typed text's option is named by its key in the format's table.
    for (const auto& field : fields) {
        const TextOption* text = textOption(field.key);
        if (text != nullptr && text->given())
            shown.*field.member = text->bytes();
    }
    if (picturesGiven())
        shown.*picturesPerDay = m_picturesPerDay;
    if (!m_smsControl.empty())
        shown.smsControl = smsControlPosition(smsControlEnglish, smsControlShown);
    return Decided(prepareSave(shown, session), fields);
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
