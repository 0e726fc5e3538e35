// SPDX-License-Identifier: Apache-2.0
#include "cards/CardWriter.h"

#include "cards/CardWatcherSystem.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraSave.h"
#include "formats/gprs/GprsFile.h"
#include "formats/mms/MmsFile.h"
#include "formats/sms/SmsFile.h"
#include "storage/FileOps.h"
#include "storage/SettingsFileIo.h"

#include <QDir>
#include <QStringList>

#include <algorithm>

namespace kestra {

namespace {

constexpr CameraList kSerialCharacters[] = {CameraList::SerialChar1, CameraList::SerialChar2, CameraList::SerialChar3,
                                            CameraList::SerialChar4};
constexpr int kSerialOnPosition = 1;

// Flushes the folder once for every file renamed into it, so the new names
// survive a pulled card. A failed flush leaves each of them not confirmed,
// as a save that flushed its folder itself would have said.
void ConfirmRenames(CardWriteReport& report, FileOps& ops, bool chinese)
{
    const auto renamed = [](const CardFileOutcome& file) { return file.written; };
    if (std::none_of(report.files.begin(), report.files.end(), renamed))
        return;
    const int error = ops.syncFolder(report.folder);
    if (!error)
        return;
    for (CardFileOutcome& file : report.files) {
        if (!renamed(file))
            continue;
        file.notConfirmed = true;
        file.readBackFromCache.clear();
        file.failure =
            NotConfirmedError(SettingsFilePath(report.folder, SettingsFileName(file.kind)), error).message(chinese);
    }
}

QString RemovedText(bool chinese)
{
    return chinese ? QStringLiteral("存储卡已被取出") : QStringLiteral("the card was removed");
}

// A card's root folder as it was when its writing began.
class FolderOnVolume {
public:
    FolderOnVolume(QString folder, FileOps& ops) : m_folder(std::move(folder))
    {
        m_known = ops.status(m_folder, m_status) == 0 && m_status.type == PathType::Directory;
    }
    // Still the same folder of the same volume. A folder that could not be
    // looked at first is not watched: its saves say what is wrong with it.
    bool stillThere(FileOps& ops) const
    {
        if (!m_known)
            return true;
        FileStatus now;
        return ops.status(m_folder, now) == 0 && now.type == PathType::Directory && now.identity == m_status.identity;
    }
    // Another folder is there now, on another volume: not the card.
    bool replaced(FileOps& ops) const
    {
        FileStatus now;
        return m_known && ops.status(m_folder, now) == 0 && now.type == PathType::Directory
               && now.identity.device != m_status.identity.device;
    }

private:
    QString m_folder;
    FileStatus m_status;
    bool m_known = false;
};

} // namespace

bool CardWriteReport::complete() const
{
    return std::all_of(files.begin(), files.end(), [](const CardFileOutcome& file) { return file.ok(); });
}

QStringList CardWriteReport::lines(bool chinese) const
{
    QStringList lines;
    for (const CardFileOutcome& file : files) {
        const QString name = SettingsFileName(file.kind);
        if (file.ok() && !file.readBackFromCache.isEmpty())
            lines << (chinese ? QStringLiteral("新 %1，但读回的是系统缓存而非存储卡: %2")
                              : QStringLiteral("new %1, but the check read the system's cache, not the card: %2"))
                         .arg(name, file.readBackFromCache);
        else if (file.ok())
            lines << (chinese ? QStringLiteral("新 %1").arg(name) : QStringLiteral("new %1").arg(name));
        else if (file.notConfirmed)
            lines << (chinese ? QStringLiteral("新 %1，但存储卡未确认已保存: %2")
                              : QStringLiteral("new %1, but the card did not confirm it is stored: %2"))
                         .arg(name, file.failure);
        else if (file.written)
            lines << (chinese ? QStringLiteral("新 %1，但读回不符: %2")
                              : QStringLiteral("new %1, but it does not read back as written: %2"))
                         .arg(name, file.failure);
        else if (file.removedWhileSaved)
            lines << (chinese ? QStringLiteral("%1 未知: %2；卡上可能是新的也可能是旧的 %1")
                              : QStringLiteral("%1 unknown: %2; it may hold the new %1 or its old one"))
                         .arg(name, file.failure);
        else if (file.oldFileUnknown)
            lines << (chinese ? QStringLiteral("%1 未写入: %2；卡上可能仍有旧的 %1")
                              : QStringLiteral("%1 not written: %2; it may still hold its old %1"))
                         .arg(name, file.failure);
        else if (file.hadOldFile)
            lines << (chinese ? QStringLiteral("旧 %1 保留: %2") : QStringLiteral("old %1 kept: %2"))
                         .arg(name, file.failure);
        else
            lines << (chinese ? QStringLiteral("没有 %1: %2") : QStringLiteral("no %1: %2")).arg(name, file.failure);
    }
    return lines;
}

SaveDecision<CameraSettings> CardCameraSettings(const Checked<CameraSettings>& profile, const PcClock& clock,
                                                const std::optional<SerialText>& serial, bool chinese)
{
    CameraChoices choices = CameraChoicesFromSettings(*profile);
    if (serial) {
        choices.position(CameraList::SerialNo) = kSerialOnPosition;
        for (std::size_t i = 0; i < 4; ++i)
            choices.position(kSerialCharacters[i]) = serial->positions()[i];
    }
    Session session;
    session.languageIndex = chinese ? kLanguageChinese : kLanguageEnglish;
    session.languageCode = profile->languageCode;
    session.tvMode = profile->tvMode;
    return PrepareCameraSave(choices, clock, session);
}

std::vector<CardFile> CardFiles(const CardProfile& profile, const PcClock& clock,
                                const std::optional<SerialText>& serial, bool chinese)
{
    std::vector<CardFile> files;
    if (profile.camera) {
        const SaveDecision<CameraSettings> camera = CardCameraSettings(*profile.camera, clock, serial, chinese);
        files.push_back(
            {SettingsFileKind::Camera, camera.ok() ? BuildCameraFile(*camera.checked) : QByteArray(), camera.refusal});
    }
    if (profile.mms)
        files.push_back({SettingsFileKind::Mms, BuildMmsFile(*profile.mms), std::nullopt});
    if (profile.gprs)
        files.push_back({SettingsFileKind::Gprs, BuildGprsFile(*profile.gprs), std::nullopt});
    if (profile.sms)
        files.push_back({SettingsFileKind::Sms, BuildSmsFile(*profile.sms), std::nullopt});
    return files;
}

CardWriteReport WriteCard(const QString& folder, const CardProfile& profile, const PcClock& clock,
                          const std::optional<SerialText>& serial, bool chinese)
{
    return WriteCard(folder, profile, clock, serial, chinese, FileOps::real());
}

CardWriteReport WriteCard(const QString& folder, const CardProfile& profile, const PcClock& clock,
                          const std::optional<SerialText>& serial, bool chinese, FileOps& ops)
{
    return WriteCard(folder, profile, clock, serial, chinese, ops, {});
}

CardWriteReport WriteCard(const QString& folder, const CardProfile& profile, const PcClock& clock,
                          const std::optional<SerialText>& serial, bool chinese, FileOps& ops,
                          const std::function<bool()>& stopped)
{
    CardWriteReport report;
    report.folder = folder;
    report.serial = serial;
    const std::vector<CardFile> files = CardFiles(profile, clock, serial, chinese);
    // A card whose camera record is refused gets none of its files: a card
    // is prepared whole or not at all.
    const auto refused =
        std::find_if(files.begin(), files.end(), [](const CardFile& f) { return f.refusal.has_value(); });
    // The folder as it is now, the card's root: every file goes in only while
    // it still is. A card pulled out leaves its bare mount point on the
    // system's disk, which must get nothing.
    const FolderOnVolume found(folder, ops);
    for (const auto& [kind, bytes, refusal] : files) {
        CardFileOutcome outcome;
        outcome.kind = kind;
        const QString name = SettingsFileName(kind);
        const QString path = SettingsFilePath(folder, name);
        if (!report.removed && !found.stillThere(ops))
            report.removed = true;
        if (report.removed) {
            outcome.oldFileUnknown = true;
            outcome.failure = RemovedText(chinese);
            report.files.push_back(outcome);
            continue;
        }
        PathType type = PathType::Missing;
        const int looked = ops.pathType(path, type);
        outcome.hadOldFile = looked == 0 && type != PathType::Missing;
        outcome.oldFileUnknown = looked != 0;
        if (!report.stopped && stopped && stopped())
            report.stopped = true;
        if (report.stopped) {
            outcome.failure =
                chinese ? QStringLiteral("已停止，未写入") : QStringLiteral("stopped before it was written");
            report.files.push_back(outcome);
            continue;
        }
        if (refusal) {
            // Nothing the camera could not hold reaches the card.
            outcome.failure = *refusal;
            report.files.push_back(outcome);
            continue;
        }
        if (refused != files.end()) {
            const QString refusedName = SettingsFileName(refused->kind);
            outcome.failure =
                chinese ? QStringLiteral("%1 未通过检查，此卡未写入任何文件").arg(refusedName)
                        : QStringLiteral("%1 was refused, so nothing is written on this card").arg(refusedName);
            report.files.push_back(outcome);
            continue;
        }
        // The folder is flushed once, after the last file.
        const SaveResult saved = SaveSettingsFile(folder, name, bytes, ops, FolderFlush::ByCaller);
        if (!found.stillThere(ops)) {
            // Pulled during the save: the rename may have reached the card
            // before the pull or not, so which file it holds is not known.
            // What was renamed into the bare mount point is not on the card,
            // and would hide the card's own files once it is mounted there
            // again.
            if (saved.ok() && found.replaced(ops))
                ops.remove(path);
            report.removed = true;
            outcome.removedWhileSaved = true;
            outcome.failure = RemovedText(chinese);
            report.files.push_back(outcome);
            continue;
        }
        if (!saved.ok()) {
            outcome.failure = saved.error->message(chinese);
            report.files.push_back(outcome);
            continue;
        }
        outcome.written = true;
        // The save flushed the file; reading it back past the system's cache
        // shows the card holds what the camera will read, not only what was
        // handed to the system.
        const ReadResult read = ReadSettingsFileFromMedium(path, ops);
        if (read.ok() && read.cacheError != 0)
            outcome.readBackFromCache = SystemErrorText(read.cacheError);
        if (!read.ok())
            outcome.failure = read.error->message(chinese);
        else if (read.bytes != bytes)
            outcome.failure = chinese ? QStringLiteral("%1 读回的内容与写入的不同").arg(QDir::toNativeSeparators(path))
                                      : QStringLiteral("%1 reads back different from what was written")
                                            .arg(QDir::toNativeSeparators(path));
        report.files.push_back(outcome);
    }
    ConfirmRenames(report, ops, chinese);
    return report;
}

CaughtInterrupts::CaughtInterrupts() : m_interrupts(std::make_unique<CardWatcher::Interrupts>()) {}

CaughtInterrupts::~CaughtInterrupts() = default;

Interruption CaughtInterrupts::interruption() const
{
    return CardWatcher::Interrupts::which();
}

} // namespace kestra
