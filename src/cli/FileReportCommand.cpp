// SPDX-License-Identifier: Apache-2.0
#include "cli/FileReportCommand.h"

#include "cards/CardProfileFile.h"
#include "cli/RecordDescription.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/camera/CameraFields.h"
#include "storage/Cp936.h"
#include "storage/SettingsFileIo.h"

#include <CLI/CLI.hpp>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <cstdio>

namespace kestra::cli {

namespace {

constexpr std::array<SettingsFileKind, 4> kKinds{SettingsFileKind::Camera, SettingsFileKind::Mms,
                                                 SettingsFileKind::Gprs, SettingsFileKind::Sms};

// What became of one path.
struct Inspected {
    QString path;
    qsizetype size = 0;
    std::optional<SettingsFileCheck> check; // empty: unreadable or no settings file
    QString detectedBy;                     // "name", "size" or "content"
    QString problem;                        // why there is no check
};

bool HasChecksumFinding(const SettingsFileCheck& check)
{
    return std::any_of(check.findings.begin(), check.findings.end(),
                       [](const SettingsFinding& f) { return f.kind == FindingKind::Checksum; });
}

// The file's kind by its name; else by its size (mms.dat and gprs.dat share
// theirs, so their content decides between them); else by content alone: the
// kind whose checksum matches and that finds least amiss. A file no kind's
// checksum matches is no settings file.
void CheckByKind(const QString& fileName, QByteArrayView bytes, Inspected& inspected, bool chinese)
{
    if (const auto named = SettingsFileKindForName(fileName)) {
        inspected.check = CheckSettingsFile(*named, bytes);
        inspected.detectedBy = QStringLiteral("name");
        return;
    }
    std::vector<SettingsFileKind> candidates;
    for (SettingsFileKind kind : kKinds) {
        if (SettingsFileSize(kind) == bytes.size())
            candidates.push_back(kind);
    }
    inspected.detectedBy = QStringLiteral("size");
    const bool bySize = !candidates.empty();
    if (!bySize) {
        candidates.assign(kKinds.begin(), kKinds.end());
        inspected.detectedBy = QStringLiteral("content");
    }
    std::optional<SettingsFileCheck> best;
    for (SettingsFileKind kind : candidates) {
        SettingsFileCheck check = CheckSettingsFile(kind, bytes);
        if (!bySize && HasChecksumFinding(check))
            continue;
        if (!best || check.findings.size() < best->findings.size())
            best = std::move(check);
    }
    if (best) {
        if (candidates.size() > 1)
            inspected.detectedBy = bySize ? QStringLiteral("size and content") : QStringLiteral("content");
        inspected.check = std::move(best);
        return;
    }
    inspected.problem =
        (chinese ? QStringLiteral("不是设置文件：其名称、大小（%1 字节）和内容都不是 camera.dat、mms.dat、gprs.dat "
                                  "或 sms.dat 的")
                 : QStringLiteral("not a settings file: neither its name, its size (%1 bytes) nor its content "
                                  "is that of camera.dat, mms.dat, gprs.dat or sms.dat"))
            .arg(bytes.size());
}

Inspected InspectFile(const QString& path, bool chinese)
{
    Inspected inspected;
    inspected.path = QDir::toNativeSeparators(path);
    if (QFileInfo(path).isDir()) {
        inspected.problem = chinese ? QStringLiteral("这是一个目录，不是设置文件；相机无法从中读取设置")
                                    : QStringLiteral("a folder, not a settings file; the camera reads no settings "
                                                     "from it");
        return inspected;
    }
    const ReadResult read = ReadSettingsFile(path);
    if (!read.ok()) {
        inspected.problem = read.error->message(chinese);
        return inspected;
    }
    inspected.size = read.bytes.size();
    if (read.truncated) {
        inspected.problem = (chinese ? QStringLiteral("不是设置文件：它大于 %1 字节")
                                     : QStringLiteral("not a settings file: it is larger than %1 bytes"))
                                .arg(kMaxSettingsFileRead);
        return inspected;
    }
    CheckByKind(QFileInfo(path).fileName(), read.bytes, inspected, chinese);
    return inspected;
}

// A folder stands for a card's root: the settings files in it, by name, and
// anything else that bears a settings file's name (a folder called
// camera.dat, which the camera cannot read either).
std::vector<QString> SettingsFilesIn(const QString& folder)
{
    std::vector<QString> files;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (SettingsFileKindForName(entry.fileName()))
            files.push_back(entry.filePath());
    }
    return files;
}

// A file holds no values at all when it is empty: what its kind would list
// then is the zeros the camera would read, not anything stored.
bool HoldsValues(const Inspected& inspected)
{
    return inspected.size > 0;
}

// A text for the terminal: the control characters a file may hold (a line
// end, a tab, an escape sequence) shown as escapes, never sent raw.
QString Printable(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            shown += QStringLiteral("\\n");
        else if (u == u'\t')
            shown += QStringLiteral("\\t");
        else if (u == u'\r')
            shown += QStringLiteral("\\r");
        else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0))
            shown += QStringLiteral("\\x%1").arg(static_cast<int>(u), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

// How the kind was told, for the text report ("name", "size and content").
QString DetectedByText(const QString& detectedBy, bool chinese)
{
    if (!chinese)
        return detectedBy;
    if (detectedBy == u"name")
        return QStringLiteral("名称");
    if (detectedBy == u"size")
        return QStringLiteral("大小");
    if (detectedBy == u"size and content")
        return QStringLiteral("大小和内容");
    return QStringLiteral("内容");
}

void PrintShown(const QString& line)
{
    PrintLine(Printable(line));
}

QString KindName(SettingsFileKind kind)
{
    return SettingsFileName(kind);
}

QString FindingKindName(FindingKind kind)
{
    switch (kind) {
    case FindingKind::FileSize:
        return QStringLiteral("fileSize");
    case FindingKind::LineEnd:
        return QStringLiteral("lineEnd");
    case FindingKind::Checksum:
        return QStringLiteral("checksum");
    case FindingKind::Reserved:
        return QStringLiteral("reserved");
    case FindingKind::OutOfRange:
        return QStringLiteral("outOfRange");
    case FindingKind::ListPosition:
        return QStringLiteral("listPosition");
    case FindingKind::Clock:
        return QStringLiteral("clock");
    case FindingKind::CatalogueIndex:
        return QStringLiteral("catalogueIndex");
    case FindingKind::Mode:
        return QStringLiteral("mode");
    case FindingKind::TextLength:
        return QStringLiteral("textLength");
    case FindingKind::TextClipped:
        return QStringLiteral("textClipped");
    case FindingKind::UserName:
        return QStringLiteral("userName");
    case FindingKind::ControlCharacter:
        return QStringLiteral("controlCharacter");
    case FindingKind::PortNumber:
        return QStringLiteral("portNumber");
    case FindingKind::Ipv4Address:
        return QStringLiteral("ipv4Address");
    case FindingKind::MailboxName:
        return QStringLiteral("mailboxName");
    }
    return {};
}

bool Clean(const Inspected& inspected)
{
    return inspected.check && inspected.check->clean();
}

void PrintText(const Inspected& inspected, int language, bool showSecrets)
{
    const bool chinese = language == kLanguageChinese;
    if (!inspected.check) {
        PrintShown(
            (chinese ? QStringLiteral("%1：%2") : QStringLiteral("%1: %2")).arg(inspected.path, inspected.problem));
        return;
    }
    const SettingsFileCheck& check = *inspected.check;
    PrintShown((chinese ? QStringLiteral("%1：%2（依%3判断），%4 字节") : QStringLiteral("%1: %2 (by %3), %4 bytes"))
                   .arg(inspected.path, KindName(check.kind), DetectedByText(inspected.detectedBy, chinese))
                   .arg(inspected.size));
    if (HoldsValues(inspected)) {
        for (const ValueLine& line : DescribeSettingsFile(check, language, showSecrets))
            PrintShown(line.text.isEmpty() ? QStringLiteral("  %1:").arg(line.label)
                                           : QStringLiteral("  %1: %2").arg(line.label, line.text));
    }
    if (check.clean()) {
        PrintShown(chinese ? QStringLiteral("  检查：无误") : QStringLiteral("  check: clean"));
        return;
    }
    PrintShown((chinese ? QStringLiteral("  检查：%1 个问题") : QStringLiteral("  check: %1 finding(s)"))
                   .arg(check.findings.size()));
    for (const SettingsFinding& finding : check.findings)
        PrintShown(QStringLiteral("  ! %1").arg(finding.message(chinese)));
}

QJsonValue RawText(const char* field, const QByteArray& bytes, bool showSecrets)
{
    const bool secret = QByteArray(field).toLower().contains("password");
    return secret && !showSecrets && !bytes.isEmpty() ? QStringLiteral("********") : DecodeCp936(bytes);
}

// Every field of the record as stored, by its row's name: numbers as the
// bytes hold them, texts as the camera reads them.
template <typename Record, typename Numbers, typename Texts>
void AddRawValues(QJsonObject& raw, const Record& record, const Numbers& numbers, const Texts& texts, bool showSecrets)
{
    for (const auto& field : numbers)
        raw.insert(QLatin1String(field.name), record.*field.member);
    for (const auto& field : texts)
        raw.insert(QLatin1String(field.name), RawText(field.name, record.*field.member, showSecrets));
}

QJsonObject RawValues(const SettingsFileCheck& check, bool showSecrets)
{
    QJsonObject raw;
    if (const auto* camera = std::get_if<CameraSettings>(&check.record)) {
        if (check.cameraDefaultParameters)
            return {{QStringLiteral("defaultParameters"), true}};
        for (const CameraField& field : kCameraFields)
            raw.insert(QLatin1String(field.name), camera->*field.member);
    } else if (const auto* mms = std::get_if<MmsSettings>(&check.record)) {
        AddRawValues(raw, *mms, kMmsNumberFields, kMmsTextFields, showSecrets);
    } else if (const auto* gprs = std::get_if<GprsSettings>(&check.record)) {
        AddRawValues(raw, *gprs, kGprsNumberFields, kGprsTextFields, showSecrets);
        raw.insert(QLatin1String(kGprsUserNameField.name), DecodeCp936(check.gprsUserName));
    } else {
        AddRawValues(raw, std::get<SmsSettings>(check.record), kSmsNumberFields, kSmsTextFields, showSecrets);
    }
    return raw;
}

// The file's settings under the names a profile (and the command line) gives
// them, for a file a profile can hold: one that checks clean and is no
// default-parameters file.
QJsonValue ProfileValues(const SettingsFileCheck& check, bool showSecrets)
{
    if (!check.clean() || check.cameraDefaultParameters)
        return QJsonValue::Null;
    QJsonObject section = ProfileSection(check);
    for (auto it = section.begin(); it != section.end(); ++it) {
        if (it.key().contains(QLatin1String("password")) && !showSecrets && !it.value().toString().isEmpty())
            it.value() = QStringLiteral("********");
    }
    return section;
}

QJsonObject Json(const Inspected& inspected, int language, bool showSecrets)
{
    const bool chinese = language == kLanguageChinese;
    QJsonObject file{{QStringLiteral("path"), inspected.path}, {QStringLiteral("clean"), Clean(inspected)}};
    if (!inspected.check) {
        file.insert(QStringLiteral("kind"), QJsonValue::Null);
        file.insert(QStringLiteral("problem"), inspected.problem);
        return file;
    }
    const SettingsFileCheck& check = *inspected.check;
    file.insert(QStringLiteral("kind"), KindName(check.kind));
    file.insert(QStringLiteral("detectedBy"), inspected.detectedBy);
    file.insert(QStringLiteral("size"), static_cast<qint64>(inspected.size));
    QJsonArray values;
    if (HoldsValues(inspected)) {
        for (const ValueLine& line : DescribeSettingsFile(check, language, showSecrets))
            values.append(QJsonObject{{QStringLiteral("field"), line.field},
                                      {QStringLiteral("label"), line.label},
                                      {QStringLiteral("value"), line.text}});
    }
    file.insert(QStringLiteral("values"), values);
    file.insert(QStringLiteral("profile"), ProfileValues(check, showSecrets));
    file.insert(QStringLiteral("raw"),
                HoldsValues(inspected) ? QJsonValue(RawValues(check, showSecrets)) : QJsonValue(QJsonValue::Null));
    QJsonArray findings;
    for (const SettingsFinding& finding : check.findings)
        findings.append(QJsonObject{{QStringLiteral("kind"), FindingKindName(finding.kind)},
                                    {QStringLiteral("field"), finding.field},
                                    {QStringLiteral("offset"), static_cast<qint64>(finding.offset)},
                                    {QStringLiteral("value"), static_cast<qint64>(finding.value)},
                                    {QStringLiteral("expected"), static_cast<qint64>(finding.expected)},
                                    {QStringLiteral("message"), finding.message(chinese)}});
    file.insert(QStringLiteral("findings"), findings);
    return file;
}

} // namespace

FileReportCommand::FileReportCommand(CLI::App& program)
{
    m_command = program.add_subcommand(
        kName, "Show what settings files hold and check them: a file, or a folder such as a card's root "
               "(every settings file in it); exit status 0 only when every file checks clean");
    m_command->add_option("path", m_paths, "Settings files or folders")->required()->type_name("PATH");
    m_command->add_flag("--json", m_json, "Print the same as JSON");
    m_command->add_flag("--show-secrets", m_showSecrets, "Show passwords instead of asterisks");
    m_session.addTo(*m_command, false);
}

int FileReportCommand::run() const
{
    const Session session = m_session.session();
    std::vector<Inspected> results;
    for (const std::string& argument : m_paths) {
        const QString path = FromStd(argument);
        if (QFileInfo(path).isDir()) {
            const std::vector<QString> files = SettingsFilesIn(path);
            if (files.empty()) {
                Inspected none;
                none.path = QDir::toNativeSeparators(path);
                none.problem =
                    session.chineseMessages()
                        ? QStringLiteral("此目录中没有设置文件（camera.dat、mms.dat、gprs.dat、sms.dat）")
                        : QStringLiteral("no settings file (camera.dat, mms.dat, gprs.dat, sms.dat) in this folder");
                results.push_back(none);
            }
            for (const QString& file : files)
                results.push_back(InspectFile(file, session.chineseMessages()));
        } else {
            results.push_back(InspectFile(path, session.chineseMessages()));
        }
    }

    if (m_json) {
        QJsonArray files;
        for (const Inspected& inspected : results)
            files.append(Json(inspected, session.languageIndex, m_showSecrets));
        // A folder's name in Chinese shows on a console as it is.
        WriteText(stdout,
                  QString::fromUtf8(
                      QJsonDocument(QJsonObject{{QStringLiteral("files"), files}}).toJson(QJsonDocument::Indented)));
    } else {
        for (std::size_t i = 0; i < results.size(); ++i) {
            if (i > 0)
                PrintLine(QString());
            PrintText(results[i], session.languageIndex, m_showSecrets);
        }
    }
    const bool allClean = std::all_of(results.begin(), results.end(), Clean);
    return allClean ? kExitOk : kExitFailed;
}

} // namespace kestra::cli
