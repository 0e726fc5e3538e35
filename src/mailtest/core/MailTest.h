// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Languages.h"
#include "formats/gprs/GprsSettings.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace kestra {

// The e-mail test: logs in to the SMTP server of a GprsSettings record as the
// camera would (greeting, EHLO, AUTH LOGIN or PLAIN with the user name of
// gprs.dat block 9 and the sender password) and, if asked, sends one short
// message with a small JPEG attached. It runs from the PC's network, not the
// camera's mobile one; the report says so and says whether TLS was needed.
//
// Every wait is bounded by stepTimeout: the name lookup, the connection, the
// TLS handshake and each reply. The password is never part of the report:
// any reply that echoes it (plain or base64) has it masked.
//
// Before anything goes out, the values the test uses pass the GPRS/SMTP
// window's Save checks and gprs.dat's text limits: a login that works with
// values the camera cannot be given proves nothing.
//
// A run spends at most one failed login, the camera's own: servers count
// failed logins and may lock the mailbox or ban the PC's address.

// The values of a GprsSettings record the test uses, in the order its
// command's options take them: the server and port, the sender's address and
// password and the recipient. Their keys and limits are gprs.dat's rows.
inline constexpr std::array<QByteArray GprsSettings::*, 5> kMailTestFields{
    &GprsSettings::smtpServer, &GprsSettings::smtpPort, &GprsSettings::senderEmail, &GprsSettings::senderPassword,
    &GprsSettings::recipientEmail};

// A file of certificates to trust, PEM or DER (as Windows exports .cer files).
struct MailTestCaFile {
    QString name; // as the report names it
    QByteArray data;
};

struct MailTestOptions {
    bool send = false;
    std::chrono::milliseconds stepTimeout{15000};
    // The login name the camera sends; by default GprsUserName(senderEmail).
    // A gprs.dat carries it in block 9, which is what the camera reads.
    std::optional<QByteArray> loginName;
    // Certificates trusted besides the system's, for a server with a
    // certificate of its own making. TLS peers are always verified: the
    // password is never sent over TLS to a server the PC cannot verify. A
    // file without a certificate fails the test (BadSettings) naming it.
    QList<MailTestCaFile> caFiles;
    // When the camera's login name is refused and is not the whole address,
    // log in again with the whole address to tell the two apart. Off by
    // default: it costs a second failed login.
    bool compareWholeAddress = false;
    // The port on which TLS from the first byte is tried before plain SMTP.
    int implicitTlsPort = 465;
    // The report's language: Chinese for kLanguageChinese, English otherwise.
    int languageIndex = kLanguageEnglish;
    // Told, once per step, when the server has kept the test waiting for a
    // while; the line says what it waits for and how long at most.
    std::function<void(const QString& line)> waiting;
    // The name the test gives in EHLO.
    QByteArray clientName = "kestra-setup";
};

enum class MailTestOutcome {
    LoginAccepted,    // login worked (and no message was asked for)
    Sent,             // login worked and the server took the message
    BadSettings,      // the record cannot be tested (no server, a port that is no number, ...)
    HostNotFound,     // the server's name does not resolve
    NothingListens,   // connection refused on that port
    NoAnswer,         // connection or greeting timed out, or the server hung up
    ServerRefused,    // the server turned the session down (greeting, EHLO, or a 4xx on login)
    TlsFailed,        // TLS was needed and could not be set up (or not verified)
    NoLoginOffered,   // no AUTH LOGIN or PLAIN on offer
    LoginNameRefused, // the camera's login name refused, the whole address accepted
    LoginRefused,     // the camera's login refused (and the whole address too, if compared)
    SenderRefused,    // MAIL FROM refused
    RecipientRefused, // RCPT TO refused
    MessageRefused,   // DATA or the message itself refused
    Unavailable,      // the program's e-mail test module is missing or broken
};

enum class MailTransport { Plain, StartTls, ImplicitTls };

struct MailTestStep {
    bool ok = false;
    QString text;         // in plain words
    QString reply;        // the server's own reply, password masked; empty for local steps
    bool heading = false; // introduces the steps after it rather than being one
};

struct MailTestReport {
    bool chinese = false; // the language of every text of the report
    QByteArray server;
    int port = 0;
    QByteArray loginName; // what the camera logs in with
    MailTestOutcome outcome = MailTestOutcome::BadSettings;
    bool loginAccepted = false; // with the camera's own login name
    bool loginTried = false;    // the camera's login name and password went to the server
    // The values tested pass the window's Save checks and the file's limits;
    // unknown when the checks did not run.
    std::optional<bool> cameraCanHold;
    bool sendRequested = false;
    bool sent = false;
    // How the connection that got furthest was made; empty when none was.
    std::optional<MailTransport> transport;
    // Tried only when asked (compareWholeAddress), the camera's login name
    // was refused and differs from the whole address; unknown when the
    // server could not check the second login.
    std::optional<bool> wholeAddressAccepted;
    std::vector<MailTestStep> steps;
    QString summary; // the outcome in a sentence or two

    // The login (and the send, if asked) went through.
    bool succeeded() const { return loginAccepted && (!sendRequested || sent); }
};

// Runs the test in the program's e-mail test module (src/mailtest/network),
// loaded on first use so that only the test pays for QtNetwork; a module that
// is missing or broken gives the outcome Unavailable with a summary naming its
// path.
MailTestReport RunMailTest(const GprsSettings& settings, const MailTestOptions& options = {});

// The module's entry point: fills `report` as RunMailTest returns it.
inline constexpr char kMailTestEntryName[] = "KestraRunMailTest";
using MailTestEntry = void (*)(const GprsSettings& settings, const MailTestOptions& options, MailTestReport& report);

// The report for a person: each step, the outcome, and what the PC cannot
// prove, in the report's language.
QString MailTestReportText(const MailTestReport& report);
// The same as JSON, for scripts.
QByteArray MailTestReportJson(const MailTestReport& report);
// Stable words for the outcome ("password-refused", ...), as the JSON has them.
const char* MailTestOutcomeName(MailTestOutcome outcome);

// A server's name or a login as the report shows it: in double quotes.
QString QuotedForReport(const QByteArray& text);

// One text of the report in its language (both given as UTF-8).
QString MailTestWords(bool chinese, const char* english, const char* chineseText);
// A duration as the report gives it: "2 s", "7.5 s".
QString MailTestSeconds(std::chrono::milliseconds duration);

// The 8 by 8 JPEG the test message carries.
QByteArray MailTestPicture();

} // namespace kestra
