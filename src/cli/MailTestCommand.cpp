// SPDX-License-Identifier: Apache-2.0
#include "cli/MailTestCommand.h"

#include "cli/CliSupport.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSave.h"
#include "formats/shared/FieldRows.h"
#include "mailtest/core/MailTest.h"
#include "storage/Cp936.h"

#include <CLI/CLI.hpp>

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace kestra::cli {

namespace {

// The test's own words for the values it takes otherwise than a save does.
const char* TestHelp(QByteArray GprsSettings::*member)
{
    if (member == &GprsSettings::senderPassword)
        return "Sender's mailbox password; - reads it from the first line of standard input";
    if (member == &GprsSettings::recipientEmail)
        return "E-mail address the test message goes to";
    return RowOf(kGprsTextFields, member).help;
}

constexpr const GprsTextField& kSenderEmail = RowOf(kGprsTextFields, &GprsSettings::senderEmail);
constexpr const GprsTextField& kSenderPassword = RowOf(kGprsTextFields, &GprsSettings::senderPassword);
constexpr const GprsTextField& kSmtpServer = RowOf(kGprsTextFields, &GprsSettings::smtpServer);

} // namespace

MailTestCommand::MailTestCommand(CLI::App& program)
{
    m_command = program.add_subcommand(
        kName, "Log in to the SMTP server as the camera would (from this PC's network) and report each step");
    m_command->add_option("--from", m_from, "Test the settings of this gprs.dat (options below override them)")
        ->type_name("FILE");
    for (QByteArray GprsSettings::*member : kMailTestFields)
        m_keys.add(*m_command, RowOf(kGprsTextFields, member).key, TestHelp(member), "TEXT");
    m_command->add_flag("--send", m_send, "Also send one short message with a small picture to the recipient");
    m_command->add_flag("--json", m_json, "Print the report as JSON");
    m_command->add_option("--timeout", m_timeoutSeconds, "Longest wait of each step, in seconds [default: 15]")
        ->check(CLI::Range(1, 120))
        ->type_name("SECONDS");
    m_command
        ->add_option("--ca-file", m_caFile, "Also trust the certificates of this file, PEM or DER (a server's own)")
        ->type_name("FILE");
    m_command->add_flag("--compare-whole-address", m_compareWholeAddress,
                        "When the camera's login name is refused, log in again with the whole sender address to "
                        "tell the two apart (a second failed login, which servers count)");
    m_session.addTo(*m_command, false);
}

int MailTestCommand::run()
{
    GprsSettings settings;
    MailTestOptions options;
    const bool chinese = m_session.session().chineseMessages();
    if (!m_from.empty()) {
        // Only a gprs.dat that checks clean: the camera would not take another.
        RefuseUncheckedFromFile(SettingsFileKind::Gprs, m_from, chinese);
        QFile file(FromStd(m_from));
        if (!file.open(QIODevice::ReadOnly))
            throw CliFailure{kExitFailed, (chinese ? QStringLiteral("--from：无法读取 %1：%2")
                                                   : QStringLiteral("--from: %1 cannot be read: %2"))
                                              .arg(NativePath(m_from), file.errorString())};
        // The test takes what the camera reads: the mailbox password of block
        // 7 and the login name of block 9.
        QByteArray userName;
        SettingsFindings findings;
        settings = DecodeGprsFile(file.readAll(), userName, findings);
        options.loginName = userName;
    }
    const SettingWords words = m_keys.words();
    const Session session = m_session.session();
    const KeySpelling spelling = KeySpelling::CommandLine();
    for (QByteArray GprsSettings::*member : kMailTestFields) {
        const GprsTextField& field = RowOf(kGprsTextFields, member);
        const QString* word = words.find(field.key);
        if (word == nullptr)
            continue;
        if (member == kSenderEmail.member)
            options.loginName.reset(); // the camera derives it from the address it is given
        if (member == kSenderPassword.member && *word == u"-") {
            // Kept off the command line, where other users of the PC could see it.
            QTextStream in(stdin);
            const std::optional<QByteArray> typed = EncodeCp936(in.readLine());
            if (!typed)
                RefuseUsage((chinese ? QStringLiteral("%1：该密码无法存入相机的文件")
                                     : QStringLiteral("%1: the password cannot be stored in the camera's files"))
                                .arg(spelling(field.key)));
            settings.*member = *typed;
            continue;
        }
        try {
            settings.*member = TextBytes(spelling(field.key), *word, session.chineseMessages());
        } catch (const WordRefusal& refusal) {
            RefuseUsage(refusal.message);
        }
    }
    if (m_from.empty() && !words.has(kSmtpServer.key))
        RefuseUsage((chinese ? QStringLiteral("mail-test 需要 --from gprs.dat，或 %1 及其他发件人选项")
                             : QStringLiteral("mail-test needs --from gprs.dat or %1 and the other sender options"))
                        .arg(spelling(kSmtpServer.key)));
    if (!m_caFile.empty()) {
        QFile ca(FromStd(m_caFile));
        if (!ca.open(QIODevice::ReadOnly))
            throw CliFailure{kExitFailed, (chinese ? QStringLiteral("--ca-file：无法读取 %1：%2")
                                                   : QStringLiteral("--ca-file: %1 cannot be read: %2"))
                                              .arg(QDir::toNativeSeparators(ca.fileName()), ca.errorString())};
        options.caFiles = {{ca.fileName(), ca.readAll()}};
    }
    options.send = m_send;
    options.compareWholeAddress = m_compareWholeAddress;
    options.stepTimeout = std::chrono::seconds(m_timeoutSeconds);
    options.languageIndex = session.languageIndex;
    if (!m_json) {
        // The report comes at the end; a slow server is said while it lasts.
        options.waiting = [](const QString& line) { PrintErrorLine(line); };
    }

    MailTestReport report = RunMailTest(settings, options);
    if (report.cameraCanHold == false) {
        // The test's own check names a field as the window does; the line
        // gave options, and the refusal names the option, as `gprs` does.
        const SaveDecision<GprsSettings> named =
            PrepareNamedMailTestValues(settings, m_send, session, NamingByKey(spelling, [](const QString& field) {
                                           return KeyOfField(kGprsTextFields, kGprsNumberFields, field);
                                       }));
        if (named.refusal)
            report.summary = *named.refusal;
    }
    if (m_json) {
        WriteText(stdout, QString::fromUtf8(MailTestReportJson(report)));
    } else {
        for (const QString& line : MailTestReportText(report).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            PrintLine(line);
    }
    if (report.succeeded())
        return kExitOk;
    return report.outcome == MailTestOutcome::BadSettings ? kExitUsage : kExitFailed;
}

} // namespace kestra::cli
