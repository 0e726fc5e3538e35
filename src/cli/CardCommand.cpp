// SPDX-License-Identifier: Apache-2.0
#include "cli/CardCommand.h"

#include "cards/CardProfileFile.h"
#include "cards/CardSession.h"
#include "cards/CardVolumes.h"
#include "cards/CardWatcher.h"
#include "cards/CardWriter.h"
#include "cards/RemovableDrives.h"

#include <CLI/CLI.hpp>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "common/TextTable.h"

#include <cstdio>

namespace kestra::cli {

namespace {

// A run ended by Ctrl+C (SIGINT) or asked to end (SIGTERM) exits as a shell
// reports a program those signals ended: 128 and the signal's number.
constexpr int kExitCtrlC = 130;
constexpr int kExitAskedToEnd = 143;

QString Words(bool chinese, const char* english, const char* chineseText)
{
    return ChineseEnglishText{english, chineseText}.text(chinese);
}

// The line a run stopped by Ctrl+C or by a request to end closes with.
QString StopLine(Interruption interruption, bool chinese)
{
    return interruption == Interruption::CtrlC
               ? Words(chinese, "Stopped by Ctrl+C.", "已按 Ctrl+C 停止。")
               : Words(chinese, "Stopped: the program was asked to end.", "程序被要求结束，已停止。");
}

// A run that a signal asked to end: its stop line said, and the status a
// shell gives a program that signal ended; nothing for a run not asked.
std::optional<int> StoppedBy(Interruption interruption, bool chinese)
{
    if (interruption == Interruption::None)
        return std::nullopt;
    PrintLine(StopLine(interruption, chinese));
    return interruption == Interruption::CtrlC ? kExitCtrlC : kExitAskedToEnd;
}

// Why the kernel's mount table answers: the system's reason why UDisks2 did not.
// The drives module's own reasons, in the line's language; what the system
// bus answered stays in its own words.
QString DrivesReason(bool chinese, const QString& reason)
{
    const QLatin1String noAnswer(kNoUDisks2Answer);
    if (!chinese)
        return reason;
    if (reason == QLatin1String(kNoSystemBus))
        return QStringLiteral("无法连接系统总线");
    if (reason.startsWith(noAnswer))
        return QStringLiteral("UDisks2 没有应答：") + reason.sliced(noAnswer.size());
    return reason;
}

QString NoSystemDrives(bool chinese, const QString& reason)
{
    return Words(chinese, "UDisks2 is not there: %1", "没有 UDisks2：%1").arg(DrivesReason(chinese, reason));
}

void PrintJson(const QJsonObject& object)
{
    // Characters on a console, UTF-8 into a file or a pipe, as every line.
    WriteText(stdout, QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

QStringList FileNames(const std::vector<SettingsFileKind>& kinds)
{
    QStringList names;
    for (SettingsFileKind kind : kinds)
        names << SettingsFileName(kind);
    return names;
}

QJsonObject VolumeJson(const CardVolume& volume)
{
    return {{QStringLiteral("label"), volume.label},
            {QStringLiteral("mountPoint"), QDir::toNativeSeparators(volume.mountPoint)},
            {QStringLiteral("fileSystem"), volume.fileSystem},
            {QStringLiteral("device"), QString::fromUtf8(volume.device)},
            {QStringLiteral("size"), volume.size},
            {QStringLiteral("free"), volume.free},
            {QStringLiteral("readOnly"), volume.readOnly},
            {QStringLiteral("settingsFiles"), QJsonArray::fromStringList(FileNames(volume.settingsFiles))}};
}

// Prints what became of a card; true when every file is new and reads back.
bool Report(const CardOutcome& card, bool chinese)
{
    const auto print = card.complete() ? PrintLine : PrintErrorLine;
    print(card.headline(chinese));
    for (const QString& line : card.fileLines(chinese))
        print(QStringLiteral("  ") + line);
    return card.complete();
}

} // namespace

CardCommand::CardCommand(CLI::App& program, const ParserOptions& options)
{
    m_command = program.add_subcommand(kName, "Cards for one camera or many: list the cards in, make a profile "
                                              "from one, write whole cards from a profile");
    m_command->require_subcommand(1);
    const auto choose = [this](Action action) { return [this, action] { m_action = action; }; };
    // A line that names one of the three builds that one's parser alone.
    const auto builds = [&options](const char* name) { return options.builds(name, {"list", "read", "write"}); };

    if (builds("list")) {
        m_list = m_command->add_subcommand("list", "List the removable volumes mounted now: label, mount point, file "
                                                   "system, size, free space and the settings files each holds");
        m_list->add_flag("--json", m_json, "Print the same as JSON");
        m_list->callback(choose(Action::List));
        m_session.addTo(*m_list, false);
    }

    if (builds("read")) {
        m_read = m_command->add_subcommand("read", "Print the profile of a card or folder (JSON) for card write");
        m_read->callback(choose(Action::Read));
        m_read->add_option("folder", m_folder, "The card's root or a folder with settings files")
            ->required()
            ->type_name("DIR");
        m_session.addTo(*m_read, false);
    }

    if (!builds("write"))
        return;
    m_write = m_command->add_subcommand(
        "write", "Write every file a profile holds onto a card, each after the windows' checks and atomically, "
                 "then read each back; with --wait one card after another");
    m_write->callback(choose(Action::Write));
    m_write->add_option("--profile", m_profile, "The profile (see card read)")->required()->type_name("FILE");
    CLI::Option* out = m_write->add_option("--out", m_out, "The card's root (or any folder)")->type_name("DIR");
    CLI::Option* wait =
        m_write->add_flag("--wait", m_wait,
                          "Wait for the next removable volume, write it, check it, eject it, and wait for the next; "
                          "Ctrl+C between cards stops");
    m_write->add_option("--count", m_count, "With --wait: stop after this many cards")
        ->check(CLI::PositiveNumber)
        ->type_name("N")
        ->needs(wait);
    m_write->add_flag("--eject", m_eject, "Eject the card once written (always done with --wait)");
    m_write->add_flag("--power-off", m_powerOff,
                      "Switch the card's drive off once the card is ejected (a USB card reader then sees no card "
                      "until plugged in again); with --wait only after the last card of --count");
    m_write
        ->add_option("--clock", m_clock,
                     "Camera clock as \"2024-03-05 08:07:06\" [default: the PC's clock when "
                     "each card is written]")
        ->type_name("\"YYYY-MM-DD hh:mm:ss\"");
    m_write
        ->add_option("--serial-from", m_serialFrom,
                     "Turn the serial text on and give the first card this one "
                     "(four characters 0-9, A-Z); each next card gets the next")
        ->type_name("XXXX");
    out->excludes(wait);
    m_session.addTo(*m_write, false);
}

int CardCommand::run() const
{
    switch (m_action) {
    case Action::List:
        return list(*SystemRemovableDrives());
    case Action::Read:
        return read();
    case Action::Write:
        break;
    }
    return write(*SystemRemovableDrives());
}

int CardCommand::list(RemovableDrives& drives) const
{
    const bool chinese = m_session.session().chineseMessages();
    const std::vector<CardVolume> volumes = ListCardVolumes(drives);
    // An empty list where the system could not tell would read as "no card
    // in", in JSON as in text.
    const QString unavailable = volumes.empty() ? drives.unavailable() : QString();
    const QString failure = unavailable.isEmpty() ? QString()
                                                  : Words(chinese, "which drives are removable cannot be told: %1",
                                                          "无法得知哪些驱动器是可移动的：%1")
                                                        .arg(unavailable);
    const DrivesSource source = drives.source();
    if (m_json) {
        QJsonArray array;
        for (const CardVolume& volume : volumes)
            array.append(VolumeJson(volume));
        QJsonObject object{{QStringLiteral("volumes"), array}, {QStringLiteral("source"), source.name}};
        if (!source.note.isEmpty())
            object.insert(QStringLiteral("sourceNote"), NoSystemDrives(false, source.note));
        if (!failure.isEmpty())
            object.insert(QStringLiteral("error"), failure);
        PrintJson(object);
        return failure.isEmpty() ? kExitOk : kExitFailed;
    }
    if (!failure.isEmpty())
        throw CliFailure{kExitFailed, QStringLiteral("card list: %1").arg(failure)};
    if (volumes.empty())
        PrintLine(Words(chinese, "No removable volume is mounted.", "没有已挂载的可移动卷。"));
    for (const CardVolume& volume : volumes) {
        const QStringList files = FileNames(volume.settingsFiles);
        PrintLine(Words(chinese, "%1  %2  %3, %4 of %5 free%6  %7", "%1  %2  %3，%5 中可用 %4%6  %7")
                      .arg(QDir::toNativeSeparators(volume.mountPoint),
                           volume.label.isEmpty() ? Words(chinese, "(no label)", "（无卷标）") : volume.label,
                           volume.fileSystem, ByteCountText(volume.free), ByteCountText(volume.size),
                           volume.readOnly ? Words(chinese, ", read-only", "，只读") : QString(),
                           files.isEmpty() ? Words(chinese, "no settings files", "没有设置文件")
                                           : files.join(QLatin1Char(' '))));
    }
    if (source.name == u"kernel")
        PrintLine(Words(chinese, "(Removable as the kernel's mount table and removable flags say; %1.)",
                        "（可移动与否依内核的挂载表和可移动标志而定；%1。）")
                      .arg(source.note.isEmpty() ? Words(chinese, "UDisks2 was not asked", "未询问 UDisks2")
                                                 : NoSystemDrives(chinese, source.note)));
    return kExitOk;
}

int CardCommand::read() const
{
    const CardProfileJson card = CardProfileOf(FromStd(m_folder), m_session.session().chineseMessages());
    if (!card.profile)
        throw CliFailure{kExitFailed, card.refusal};
    PrintJson(*card.profile);
    return kExitOk;
}

int CardCommand::write(RemovableDrives& drives) const
{
    const Session session = m_session.session();
    const bool chinese = session.chineseMessages();
    if (m_out.empty() && !m_wait)
        RefuseUsage(Words(chinese, "card write: give the card with --out DIR, or --wait for cards to be put in",
                          "card write：请用 --out DIR 指定存储卡，或用 --wait 等待插入存储卡"));
    // A profile that cannot be read is a failed read (status 1), as --from's is.
    const QFileInfo profileFile(FromStd(m_profile));
    if (!profileFile.exists() || !profileFile.isReadable())
        throw CliFailure{kExitFailed, (profileFile.exists()
                                           ? Words(chinese, "--profile: %1 cannot be read", "--profile：无法读取 %1")
                                           : Words(chinese, "--profile: %1 does not exist", "--profile：%1 不存在"))
                                          .arg(QDir::toNativeSeparators(profileFile.filePath()))};
    const CardProfileRead read = ReadCardProfileAt(FromStd(m_profile), session.languageCode);
    if (!read.profile)
        RefuseUsage(read.refusal);
    const CardProfile& profile = *read.profile;
    // A given clock is refused now, not at the first card.
    const bool clockGiven = m_write->get_option("--clock")->count() > 0;
    const std::optional<PcClock> givenClock =
        clockGiven ? std::optional<PcClock>(CameraClock(m_clock, true, session.chineseMessages())) : std::nullopt;
    const std::optional<SerialText> serial =
        m_serialFrom.empty() ? std::nullopt : SerialText::Parse(FromStd(m_serialFrom));
    if (!m_serialFrom.empty()) {
        if (!serial)
            RefuseUsage(Words(chinese,
                              "--serial-from: \"%1\" is not accepted; give four characters, each 0 to 9 or A to Z",
                              "--serial-from：\"%1\" 无效；请给出四个字符，每个为 0 至 9 或 A 至 Z")
                            .arg(FromStd(m_serialFrom)));
        if (!profile.camera)
            RefuseUsage(Words(chinese,
                              "--serial-from: the serial text is in camera.dat, and the profile has no camera section",
                              "--serial-from：序列号文字在 camera.dat 中，而配置文件没有 camera 部分"));
        if (m_count > 0 && !serial->roomFor(m_count))
            RefuseUsage(Words(chinese, "--serial-from: %1 cards from %2 would go past ZZZZ, the last serial text",
                              "--serial-from：从 %2 起的 %1 张卡会超过最后一个序列号文字 ZZZZ")
                            .arg(m_count)
                            .arg(serial->text()));
    }
    if (m_wait && m_powerOff && m_count == 0)
        RefuseUsage(Words(chinese,
                          "--power-off with --wait needs --count: the drive goes off after the last card, "
                          "and without a count no card is the last",
                          "--power-off 与 --wait 一起使用时需要 --count：驱动器在最后一张卡之后关闭，"
                          "没有数量就没有最后一张卡"));
    if (m_wait)
        return writeEach(drives, profile, serial);

    const QString folder = FromStd(m_out);
    // A folder that is not there fails every file alike: said once.
    if (!QFileInfo(folder).isDir()) {
        const QString where = QDir::toNativeSeparators(folder);
        throw CliFailure{kExitFailed,
                         QFileInfo::exists(folder)
                             ? (chinese ? QStringLiteral("%1 不是目录，未写入任何文件")
                                        : QStringLiteral("%1 is no folder; nothing was written"))
                                   .arg(where)
                             : (chinese ? QStringLiteral("目录 %1 不存在（存储卡是否已插入？），未写入任何文件")
                                        : QStringLiteral("the folder %1 does not exist (is the card in?); "
                                                         "nothing was written"))
                                   .arg(where)};
    }
    // From here Ctrl+C or a request to end is only noted: the card is
    // written whole (and ejected, if asked), then the run ends as the signal
    // asked, as a --wait run does.
    const CaughtInterrupts interrupts;
    CardOutcome card;
    card.report = WriteCard(folder, profile, givenClock ? *givenClock : CameraClock(m_clock, false), serial,
                            session.chineseMessages());
    const bool complete = Report(card, session.chineseMessages());
    if (m_eject || m_powerOff) {
        const std::optional<CardVolume> volume = CardVolumeOf(drives, folder);
        if (!volume)
            throw CliFailure{kExitFailed,
                             Words(chinese, "--eject: %1 is on no removable volume", "--eject：%1 不在任何可移动卷上")
                                 .arg(QDir::toNativeSeparators(folder))};
        const EjectResult ejected =
            drives.eject(volume->mountPoint, volume->device, m_powerOff ? EjectHow::PowerOff : EjectHow::KeepDrive);
        if (!ejected.ok())
            throw CliFailure{kExitFailed, Words(chinese,
                                                "--eject: %1. What was written is flushed to the card: it can be "
                                                "pulled out once nothing reads from it",
                                                "--eject：%1。已写入的内容已刷新到存储卡上：没有程序读取它时即可拔出")
                                              .arg(ejected.failure)};
        PrintLine(Words(chinese, "%1: ejected; the card can be taken out", "%1：已弹出；可以取出存储卡")
                      .arg(volume->description()));
    }
    if (const std::optional<int> stopped = StoppedBy(interrupts.interruption(), chinese))
        return *stopped;
    return complete ? kExitOk : kExitFailed;
}

int CardCommand::writeEach(RemovableDrives& drives, const CardProfile& profile, std::optional<SerialText> serial) const
{
    const Session session = m_session.session();
    const bool chinese = session.chineseMessages();
    const QString unavailable = drives.unavailable();
    if (!unavailable.isEmpty())
        throw CliFailure{
            kExitFailed,
            Words(chinese, "--wait: no card would ever be found: %1", "--wait：永远找不到存储卡：%1").arg(unavailable)};
    CardWatcher watcher(drives);
    CardSessionPlan plan;
    plan.profile = profile;
    plan.serial = serial;
    plan.count = m_count;
    plan.powerOffAfterLast = m_powerOff;
    plan.clock = [clock = m_clock, given = m_write->get_option("--clock")->count() > 0] {
        return CameraClock(clock, given);
    };
    plan.chinese = chinese;
    CardSession cards(drives, watcher, std::move(plan));
    cards.run(
        [&] {
            PrintLine(cards.waitingLine()
                      + (chinese ? QStringLiteral("；按 Ctrl+C 停止。") : QStringLiteral("; Ctrl+C stops.")));
        },
        [&](const CardOutcome& card) {
            Report(card, chinese);
            card.ejected.ok() ? PrintLine(card.ejectLine(chinese)) : PrintErrorLine(card.ejectLine(chinese));
            if (cards.serialsUsedUp())
                PrintLine(cards.serialsUsedUpLine());
        });
    // Ctrl+C (or a request to end) lets the card in hand be written whole and
    // ends the run as a shell expects of a program its signal ended.
    const Interruption interruption = watcher.interruption();
    if (interruption != Interruption::None)
        PrintLine(StopLine(interruption, chinese));
    PrintLine(cards.summaryLine());
    if (interruption != Interruption::None)
        return interruption == Interruption::CtrlC ? kExitCtrlC : kExitAskedToEnd;
    // A card not ejected fails the run as it fails a single card's --eject.
    return cards.failed() == 0 && cards.notEjected() == 0 ? kExitOk : kExitFailed;
}

} // namespace kestra::cli
