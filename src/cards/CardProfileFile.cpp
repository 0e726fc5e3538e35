// SPDX-License-Identifier: Apache-2.0
#include "cards/CardProfileFile.h"

#include "cards/CardVolumes.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraWords.h"
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/GprsWords.h"
#include "formats/mms/MmsSave.h"
#include "formats/mms/MmsWords.h"
#include "formats/shared/SettingWords.h"
#include "formats/sms/SmsSave.h"
#include "formats/sms/SmsWords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>

#include <array>
#include <cmath>

namespace kestra {

namespace {

// A profile of all four files is a few kilobytes.
constexpr qint64 kMaxProfileSize = 1024 * 1024;

constexpr std::array<SettingsFileKind, 4> kKinds{SettingsFileKind::Camera, SettingsFileKind::Mms,
                                                 SettingsFileKind::Gprs, SettingsFileKind::Sms};

// A refusal of the whole profile; each step below stops at the first.
struct ProfileRefusal {
    QString message;
};

// A file's section: its file's name without ".dat".
QString SectionName(SettingsFileKind kind)
{
    const QString file = SettingsFileName(kind);
    return file.left(file.indexOf(QLatin1Char('.')));
}

QString Words(bool chinese, const char* english, const char* chineseText)
{
    return RefusalWords(chinese, english, chineseText);
}

QString Native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// "a, b and c" (or "or"); in Chinese "a、b、c".
QString Listing(const QStringList& items, bool chinese, const char* conjunction)
{
    if (chinese || items.size() < 2)
        return items.join(QStringLiteral("、"));
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) + QLatin1Char(' ')
           + QLatin1String(conjunction) + QLatin1Char(' ') + items.last();
}

// A profile's value as a word: a text, or a whole number written as one.
QString ValueWord(const QJsonValue& value, const QString& key, bool chinese)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble() && std::floor(value.toDouble()) == value.toDouble() && std::abs(value.toDouble()) < 1e9)
        return QString::number(static_cast<long long>(value.toDouble()));
    throw ProfileRefusal{Words(chinese, "%1: give a text or a whole number", "%1: 请给出文字或整数").arg(key)};
}

// Each key of a file's section, in the rows' order (a key of several rows
// once a row): every key of its rows but the whole card's (language, TV
// mode) and the camera's clock.
template <typename Rows, typename Visit> void VisitKeys(const Rows& rows, Visit& visit)
{
    for (const auto& row : rows) {
        if (row.key != nullptr)
            visit(QLatin1String(row.key));
    }
}

template <typename Visit> void ForEachSectionKey(SettingsFileKind kind, Visit visit)
{
    const auto ownKey = [&visit](QLatin1String key) {
        if (key != QLatin1String(kLanguageKey) && key != QLatin1String(kTvModeKey))
            visit(key);
    };
    switch (kind) {
    case SettingsFileKind::Camera:
        for (const CameraField& field : kCameraFields) {
            if (field.word != CameraWord::Clock && field.word != CameraWord::Session)
                ownKey(QLatin1String(field.key));
        }
        break;
    case SettingsFileKind::Mms:
        VisitKeys(kMmsNumberFields, ownKey);
        VisitKeys(kMmsTextFields, ownKey);
        break;
    case SettingsFileKind::Gprs:
        VisitKeys(kGprsNumberFields, ownKey);
        VisitKeys(kGprsTextFields, ownKey);
        break;
    case SettingsFileKind::Sms:
        VisitKeys(kSmsNumberFields, ownKey);
        VisitKeys(kSmsTextFields, ownKey);
        break;
    }
}

QStringList SectionKeys(SettingsFileKind kind)
{
    QStringList keys;
    ForEachSectionKey(kind, [&keys](QLatin1String key) {
        if (!keys.contains(key))
            keys << key;
    });
    return keys;
}

bool SectionTakes(SettingsFileKind kind, const QString& key)
{
    bool takes = false;
    ForEachSectionKey(kind, [&](QLatin1String own) { takes = takes || key == own; });
    return takes;
}

// A section's values as words, each key one of the section's.
SettingWords SectionWords(const QJsonObject& section, const QString& name, SettingsFileKind kind, bool chinese)
{
    SettingWords words;
    for (auto it = section.begin(); it != section.end(); ++it) {
        const QString spelt = name + QLatin1Char('.') + it.key();
        if (kind == SettingsFileKind::Camera
            && it.key() == QLatin1String(CameraFieldOf(&CameraSettings::clockYear).key))
            throw ProfileRefusal{Words(chinese, "%1: the clock is set when each card is written (card write --clock)",
                                       "%1: 时钟在写入每张存储卡时设置（card write --clock）")
                                     .arg(spelt)};
        if (!SectionTakes(kind, it.key()))
            throw ProfileRefusal{Words(chinese, "%1: no such key; %2 takes %3", "%1: 没有这个键；%2 可用的键为 %3")
                                     .arg(spelt, name, SectionKeys(kind).join(QStringLiteral(", ")))};
        words.add(it.key(), ValueWord(it.value(), spelt, chinese));
    }
    return words;
}

template <typename Record>
void Take(std::optional<Checked<Record>>& into, const SaveDecision<Record>& decision, const QString& name)
{
    if (decision.ok()) {
        into = *decision.checked;
        return;
    }
    // A refusal that names no key (a value the section does not give) names
    // the section.
    const QString& message = *decision.refusal;
    throw ProfileRefusal{message.startsWith(name + QLatin1Char('.')) ? message
                                                                     : QStringLiteral("%1: %2").arg(name, message)};
}

CardProfile ProfileOf(const QJsonObject& json, int languageCode)
{
    const int callerLanguage =
        languageCode >= kMinLanguageCode && languageCode <= kLanguageCount ? languageCode : kLanguageEnglish;
    const bool chinese = callerLanguage == kLanguageChinese;
    const KeySpelling whole = KeySpelling::Section({});
    Session session;
    session.languageIndex = callerLanguage;
    session.languageCode = callerLanguage;
    QStringList sections;
    for (SettingsFileKind kind : kKinds)
        sections << SectionName(kind);
    for (auto it = json.begin(); it != json.end(); ++it) {
        if (sections.contains(it.key())) {
            if (!it.value().isObject())
                throw ProfileRefusal{
                    Words(chinese, "%1: give its settings as an object {...}", "%1: 请以对象 {...} 给出其设置")
                        .arg(it.key())};
        } else if (it.key() == QLatin1String(kLanguageKey)) {
            const QString word = ValueWord(it.value(), it.key(), chinese);
            const int found = LanguageFromWord(word);
            const std::optional<int> language = found != 0 ? std::optional<int>(found) : std::nullopt;
            if (!language)
                throw ProfileRefusal{Words(chinese, "%1: \"%2\" is no language; use one of %3",
                                           "%1: \u201c%2\u201d不是一种语言；请用 %3")
                                         .arg(whole.session(kLanguageKey), word, LanguageChoices())};
            session.languageCode = *language;
        } else if (it.key() == QLatin1String(kTvModeKey)) {
            try {
                session.tvMode = WholeNumber(whole.session(kTvModeKey), ValueWord(it.value(), it.key(), chinese), 0,
                                             kMaxTvMode, chinese);
            } catch (const WordRefusal& refusal) {
                throw ProfileRefusal{refusal.message};
            }
        } else {
            const QStringList keys = QStringList{QLatin1String(kLanguageKey), QLatin1String(kTvModeKey)} + sections;
            throw ProfileRefusal{
                Words(chinese, "%1: no such key; a profile takes %2", "%1: 没有这个键；配置文件可用的键为 %2")
                    .arg(it.key(), Listing(keys, chinese, "and"))};
        }
    }

    // In the order of SettingsFileKind, so the first refusal is the same on
    // every run.
    CardProfile card;
    for (SettingsFileKind kind : kKinds) {
        const QString name = SectionName(kind);
        if (!json.contains(name))
            continue;
        const SettingWords words = SectionWords(json.value(name).toObject(), name, kind, chinese);
        const KeySpelling spelling = KeySpelling::Section(name);
        switch (kind) {
        case SettingsFileKind::Camera:
            // Any clock will do: each card gets its own, checked again.
            Take(card.camera, PrepareCameraWords(CameraChoices{}, words, PcClock{}, session, spelling), name);
            break;
        case SettingsFileKind::Mms:
            Take(card.mms, PrepareMmsWords(InitialMmsSettings(session), words, session, spelling), name);
            break;
        case SettingsFileKind::Gprs:
            Take(card.gprs, PrepareGprsWords(InitialGprsSettings(session), words, session, spelling), name);
            break;
        case SettingsFileKind::Sms:
            Take(card.sms, PrepareSmsWords(InitialSmsSettings(session), words, session, spelling), name);
            break;
        }
    }
    if (card.empty())
        throw ProfileRefusal{
            Words(chinese, "the profile holds no settings: give %1", "配置文件中没有任何设置：请给出 %1")
                .arg(Listing(sections, chinese, "or"))};
    return card;
}

SettingWords WordsOf(const SettingsFileCheck& check)
{
    if (const auto* camera = std::get_if<CameraSettings>(&check.record))
        return CameraWordsOf(*camera);
    if (const auto* mms = std::get_if<MmsSettings>(&check.record))
        return MmsWordsOf(*mms);
    if (const auto* gprs = std::get_if<GprsSettings>(&check.record))
        return GprsWordsOf(*gprs);
    return SmsWordsOf(std::get<SmsSettings>(check.record));
}

} // namespace

CardProfileRead CardProfileFromJson(const QJsonObject& profile, const QString& source, int languageCode)
{
    try {
        return {ProfileOf(profile, languageCode), {}};
    } catch (const ProfileRefusal& refusal) {
        return {std::nullopt, QStringLiteral("%1: %2").arg(source, refusal.message)};
    }
}

CardProfileRead ReadCardProfileAt(const QString& path, int languageCode)
{
    const bool chinese = languageCode == kLanguageChinese;
    if (QFileInfo(path).isDir()) {
        const CardProfileJson card = CardProfileOf(path, chinese);
        if (!card.profile)
            return {std::nullopt, card.refusal};
        return CardProfileFromJson(*card.profile, Native(path), languageCode);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt,
                Words(chinese, "%1 cannot be read: %2", "无法读取 %1：%2").arg(Native(path), file.errorString())};
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.read(kMaxProfileSize + 1), &error);
    QString refusal;
    if (file.size() > kMaxProfileSize)
        refusal = Words(chinese, "larger than any profile can be", "比任何配置文件都大");
    else if (error.error != QJsonParseError::NoError)
        refusal = Words(chinese, "no JSON at character %1: %2", "第 %1 个字符处不是 JSON：%2")
                      .arg(error.offset)
                      .arg(error.errorString());
    else if (!document.isObject())
        refusal = Words(chinese, "a profile is one JSON object {...}", "配置文件应为一个 JSON 对象 {...}");
    if (!refusal.isEmpty())
        return {std::nullopt, QStringLiteral("%1: %2").arg(Native(path), refusal)};
    return CardProfileFromJson(document.object(), Native(path), languageCode);
}

QJsonObject ProfileSection(const SettingsFileCheck& check)
{
    QJsonObject section;
    for (const SettingWord& word : WordsOf(check))
        section.insert(word.key, word.number ? QJsonValue(word.word.toInt()) : QJsonValue(word.word));
    return section;
}

CardProfileJson CardProfileOf(const QString& folder, bool chinese)
{
    if (!QFileInfo(folder).isDir()) {
        return {std::nullopt,
                QFileInfo::exists(folder)
                    ? Words(chinese, "%1 is no folder", "%1 不是目录").arg(Native(folder))
                    : Words(chinese, "the folder %1 does not exist", "目录 %1 不存在").arg(Native(folder))};
    }
    // Anything else that bears a settings file's name (a folder called
    // sms.dat) is no file the camera can read: said, as `inspect` says it,
    // rather than passed over as if the folder held no such settings.
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && SettingsFileKindForName(entry.fileName()))
            return {std::nullopt, Words(chinese,
                                        "%1: a folder, not a settings file; the camera reads no settings "
                                        "from it",
                                        "%1: 这是一个目录，不是设置文件；相机无法从中读取设置")
                                      .arg(Native(entry.filePath()))};
    }
    const std::vector<SettingsFileKind> kinds = SettingsFilesIn(folder);
    if (kinds.empty())
        return {std::nullopt,
                Words(chinese, "%1: no settings file (camera.dat, mms.dat, gprs.dat, sms.dat) in this folder",
                      "%1: 此目录中没有设置文件（camera.dat、mms.dat、gprs.dat、sms.dat）")
                    .arg(Native(folder))};
    QJsonObject profile;
    std::optional<int> language;
    std::optional<int> tvMode;
    for (SettingsFileKind kind : kinds) {
        const QString path = SettingsFilePathIn(folder, kind);
        const SettingsFileCheckResult checked = CheckSettingsFileAt(kind, path);
        if (!checked.ok())
            return {std::nullopt, checked.error->message(chinese)};
        if (!checked.values.clean())
            return {std::nullopt, Words(chinese, "%1: %2 \"kestra-setup-cli inspect\" shows everything it finds.",
                                        "%1: %2 \u201ckestra-setup-cli inspect\u201d 列出发现的全部问题。")
                                      .arg(Native(path), checked.values.findings.front().message(chinese))};
        if (checked.values.cameraDefaultParameters)
            return {std::nullopt, Words(chinese,
                                        "%1 holds the default parameters (the camera's factory settings), "
                                        "no settings a profile could give",
                                        "%1 是出厂设置文件，没有配置文件可用的设置")
                                      .arg(Native(path))};
        const SettingsFileCheck& check = checked.values;
        std::visit(
            [&](const auto& record) {
                language = language.value_or(record.languageCode);
                if constexpr (requires { record.tvMode; })
                    tvMode = tvMode.value_or(record.tvMode);
            },
            check.record);
        profile.insert(SectionName(kind), ProfileSection(check));
    }
    if (language)
        profile.insert(QLatin1String(kLanguageKey), LanguageName(*language));
    if (tvMode)
        profile.insert(QLatin1String(kTvModeKey), *tvMode);
    return {profile, {}};
}

} // namespace kestra
