// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CliSupport.h"
#include "common/SaveDecision.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/mms/MmsSettings.h"
#include "formats/sms/SmsSettings.h"
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

// The typed texts of a record: which option sets which field.
template <typename Record> using TextFields = std::initializer_list<std::pair<const TextOption*, QByteArray Record::*>>;

// What the three messaging commands share: --out, --from, --lang, the
// pictures-per-day limit and the SMS control interval, and the one procedure
// of a save: the --from file read, the options over the window's record, the
// window's save step, the write and what is said of it.
class MessagingCommand {
public:
    MessagingCommand(CLI::App& program, const char* name, const char* description, const char* fileName,
                     bool withTvMode);
    virtual ~MessagingCommand() = default;
    MessagingCommand(const MessagingCommand&) = delete;
    MessagingCommand& operator=(const MessagingCommand&) = delete;

    CLI::App* subcommand() const { return m_command; }
    virtual int run() = 0;

protected:
    TextOption& addText(const char* flag, const char* help);
    int smsControlPosition(const QStringList& english, const QStringList& shown) const;

    // The --from file's values; a file that does not check clean or cannot be
    // read ends the command (status 2) before anything is written.
    template <typename ReadResult>
    ReadResult readFrom(SettingsFileKind kind, ReadResult (*read)(const QString&), const Session& session) const;
    // The typed texts, --pictures-per-day and --sms-control (the list in
    // English and in the session's language) over `shown`, then the window's
    // save step: the record to write, or the window's refusal (status 2).
    template <typename Record>
    Record decide(Record shown, TextFields<Record> texts, int Record::*picturesPerDay,
                  const QStringList& smsControlEnglish, const QStringList& smsControlShown,
                  SaveDecision<Record> (*prepareSave)(const Record&, const Session&), const Session& session) const;
    // Writes the record and ends as the window's Save does: the refusal
    // (status 2), the failed save (status 1) or the saved message and path.
    template <typename Record>
    int save(const Record& record, RecordSaveResult (*write)(const QString&, const Record&),
             QString (*savedMessage)(const Session&)) const;

    CLI::App* m_command = nullptr;
    std::string m_out;
    std::string m_from;
    SessionOptions m_session;
    std::string m_smsControl;
    int m_picturesPerDay = 0;
    CLI::Option* m_picturesOption = nullptr;
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
                    const char* modeHelp, const char* countryHelp, const char* operatorHelp);

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

// kestra-setup mms --out DIR [options]: mms.dat as the MMS window saves it.
class MmsCommand : public OperatorCommand {
public:
    static constexpr const char* kName = "mms"; // the subcommand
    explicit MmsCommand(CLI::App& program);
    int run() override;
    // The record run() writes, refused as run() refuses it; nothing is written.
    MmsSettings prepare();

private:
    TextOption* m_url;
    TextOption* m_apn;
    TextOption* m_gateway;
    TextOption* m_port;
    TextOption* m_account;
    TextOption* m_password;
    TextOption* m_phone;
    TextOption* m_email;
    TextOption* m_phone2;
};

// kestra-setup gprs --out DIR [options]: gprs.dat as the SMTP window saves it.
class GprsCommand : public OperatorCommand {
public:
    static constexpr const char* kName = "gprs"; // the subcommand
    explicit GprsCommand(CLI::App& program);
    int run() override;
    // The record run() writes, refused as run() refuses it; nothing is written.
    GprsSettings prepare();

private:
    TextOption* m_apn;
    TextOption* m_gprsAccount;
    TextOption* m_gprsPassword;
    TextOption* m_smtpServer;
    TextOption* m_smtpPort;
    TextOption* m_senderEmail;
    TextOption* m_senderPassword;
    TextOption* m_phone;
    TextOption* m_recipientEmail;
};

// kestra-setup sms --out DIR [options]: sms.dat as the SMS window saves it.
class SmsCommand : public MessagingCommand {
public:
    static constexpr const char* kName = "sms"; // the subcommand
    explicit SmsCommand(CLI::App& program);
    int run() override;
    // The record run() writes, refused as run() refuses it; nothing is written.
    SmsSettings prepare();

private:
    TextOption* m_phone1;
    TextOption* m_phone2;
    TextOption* m_phone3;
};

} // namespace kestra::cli
