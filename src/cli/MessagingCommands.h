// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CliSupport.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/mms/MmsSettings.h"
#include "formats/sms/SmsSettings.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
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
// pictures-per-day limit and the SMS control interval.
class MessagingCommand {
public:
    MessagingCommand(CLI::App& program, const char* name, const char* description, const char* fileName,
                     bool withTvMode);
    virtual ~MessagingCommand() = default;
    MessagingCommand(const MessagingCommand&) = delete;
    MessagingCommand& operator=(const MessagingCommand&) = delete;

    bool chosen() const;
    virtual int run() = 0;

protected:
    TextOption& addText(const char* flag, const char* help);
    int smsControlPosition(const QStringList& english, const QStringList& shown) const;
    // Ends with the window's refusal (status 2) or the failed save (status 1).
    void finish(const RecordSaveResult& saved, const Session& session, const QString& savedMessage) const;

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

// kestra-setup mms --out DIR [options]: mms.dat as the MMS window saves it.
class MmsCommand : public MessagingCommand {
public:
    explicit MmsCommand(CLI::App& program);
    int run() override;
    // The record run() writes, refused as run() refuses it; nothing is written.
    MmsSettings prepare();

private:
    std::string m_mode;
    std::string m_country;
    std::string m_operator;
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
class GprsCommand : public MessagingCommand {
public:
    explicit GprsCommand(CLI::App& program);
    int run() override;
    // The record run() writes, refused as run() refuses it; nothing is written.
    GprsSettings prepare();

private:
    std::string m_mode;
    std::string m_country;
    std::string m_operator;
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
