// SPDX-License-Identifier: Apache-2.0
#include "app/CardsDialog.h"

#include "app/AppState.h"
#include "cards/CardFolders.h"
#include "cards/CardList.h"
#include "common/TextTable.h"
#include "dialogs/base/PcClock.h"
#include "ui/Dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <array>

namespace kestra {

namespace {

using namespace CardsControl;

// clang-format off
const ChineseEnglishText kCaptionText{.english = "Write cards", .chinese = "写存储卡"};
const ChineseEnglishText kProfileLabelText{.english = "Profile", .chinese = "配置"};
const ChineseEnglishText kFromCardText{.english = "Card in", .chinese = "插入的卡"};
const ChineseEnglishText kFromFolderText{.english = "Folder...", .chinese = "文件夹..."};
const ChineseEnglishText kFromFileText{.english = "Profile file...", .chinese = "配置文件..."};
const ChineseEnglishText kCountLabelText{.english = "Cards", .chinese = "张数"};
const ChineseEnglishText kSerialLabelText{.english = "First serial text", .chinese = "起始序列号"};
const ChineseEnglishText kStartText{.english = "Start", .chinese = "开始"};
const ChineseEnglishText kStopText{.english = "Stop", .chinese = "停止"};
const ChineseEnglishText kCloseText{.english = "Close", .chinese = "关闭"};
const ChineseEnglishText kNoProfileText{
    .english = "No profile yet: take it from the card in, a folder or a profile file.",
    .chinese = "尚无配置：请从插入的卡、文件夹或配置文件读取。"};
const ChineseEnglishText kHoldsText{.english = "Writes %1 onto each card.", .chinese = "每张卡写入 %1。"};
const ChineseEnglishText kNotAProfileText{.english = "%1 gives no profile: %2", .chinese = "%1 不能用作配置: %2"};
const ChineseEnglishText kNoReaderText{.english = "Profiles cannot be read here.", .chinese = "此处无法读取配置。"};
const ChineseEnglishText kNoCardText{.english = "No card is in.", .chinese = "没有插入存储卡。"};
const ChineseEnglishText kLookingText{.english = "Looking for the cards in...", .chinese = "正在查找插入的存储卡..."};
const ChineseEnglishText kProfileDialogText{.english = "Open a profile", .chinese = "打开配置文件"};
const ChineseEnglishText kProfileFilterText{.english = "Profiles (*.json)", .chinese = "配置文件 (*.json)"};
const ChineseEnglishText kAllFilesFilterText{.english = "All Files (*)", .chinese = "所有文件 (*)"};
const ChineseEnglishText kSeveralCardsText{
    .english = "%1 cards are in; choose the one to read with Folder...",
    .chinese = "插入了 %1 张存储卡；请用“文件夹...”选择要读取的一张。"};
const ChineseEnglishText kCountText{.english = "Give the number of cards, 1 to 9999.",
                                    .chinese = "请输入存储卡张数，1 到 9999。"};
const ChineseEnglishText kSerialText{
    .english = "The first serial text is four characters, each 0 to 9 or A to Z; leave it empty to keep the profile's.",
    .chinese = "起始序列号为四个字符，每个为 0 到 9 或 A 到 Z；留空则用配置中的。"};
const ChineseEnglishText kSerialNoCameraText{
    .english = "The serial text is in camera.dat, and the profile has no camera settings.",
    .chinese = "序列号在 camera.dat 中，而此配置没有相机设置。"};
const ChineseEnglishText kPastLastSerialText{
    .english = "%1 cards from %2 would go past ZZZZ, the last serial text.",
    .chinese = "从 %2 起写 %1 张存储卡会超过最后一个序列号 ZZZZ。"};
const ChineseEnglishText kNoDrivesText{.english = "No card would ever be found: %1", .chinese = "无法找到存储卡: %1"};
const ChineseEnglishText kPutCardsInText{
    .english = "%1; cards in before Start are not written.",
    .chinese = "%1；开始前已插入的卡不会写入。"};
const ChineseEnglishText kStoppingText{
    .english = "Stopping: the file being written is finished, the others are left as they are.",
    .chinese = "正在停止：正在写的文件写完，其余文件保持原样。"};
const ChineseEnglishText kEjectedText{.english = "%1; ejected", .chinese = "%1，已弹出"};
// clang-format on

const ui::DialogTemplate& CardsTemplate()
{
    using ui::ControlKind;
    // clang-format off
    static const ui::DialogTemplate dialogTemplate{
        .resourceId = 120,
        .cx = 280,
        .cy = 228,
        .caption = "Write cards",
        .font = ui::DialogFont::SimSun9,
        .controls = {
            {.id = ProfileLabel, .kind = ControlKind::Static, .x = 7, .y = 9, .cx = 62, .cy = 8,
             .text = "Profile"},
            {.id = ProfileField, .kind = ControlKind::Edit, .x = 72, .y = 7, .cx = 201, .cy = 12,
             .style = ui::EsReadOnly | ui::EsAutoHScroll},
            {.id = FromCardButton, .kind = ControlKind::PushButton, .x = 72, .y = 23, .cx = 62, .cy = 14,
             .text = "Card in"},
            {.id = FromFolderButton, .kind = ControlKind::PushButton, .x = 141, .y = 23, .cx = 62, .cy = 14,
             .text = "Folder..."},
            {.id = FromFileButton, .kind = ControlKind::PushButton, .x = 210, .y = 23, .cx = 63, .cy = 14,
             .text = "Profile file..."},
            {.id = ProfileNote, .kind = ControlKind::Static, .x = 72, .y = 41, .cx = 201, .cy = 18,
             .text = "", .buddyId = ui::kNoBuddy},
            {.id = CountLabel, .kind = ControlKind::Static, .x = 7, .y = 65, .cx = 62, .cy = 8,
             .text = "Cards"},
            {.id = CountField, .kind = ControlKind::Edit, .x = 72, .y = 63, .cx = 40, .cy = 12,
             .text = "1", .style = ui::EsNumber, .maxLength = 4},
            {.id = SerialLabel, .kind = ControlKind::Static, .x = 124, .y = 65, .cx = 100, .cy = 8,
             .text = "First serial text"},
            {.id = SerialField, .kind = ControlKind::Edit, .x = 228, .y = 63, .cx = 45, .cy = 12,
             .maxLength = 4},
            {.id = ProgressBar, .kind = ControlKind::Progress, .x = 7, .y = 83, .cx = 266, .cy = 10},
            {.id = StatusLine, .kind = ControlKind::Static, .x = 7, .y = 97, .cx = 266, .cy = 18,
             .text = "", .buddyId = ui::kNoBuddy},
            {.id = CardLines, .kind = ControlKind::ListBox, .x = 7, .y = 117, .cx = 266, .cy = 84,
             .style = ui::LbsWrapLines},
            {.id = StartButton, .kind = ControlKind::DefPushButton, .x = 109, .y = 207, .cx = 50, .cy = 14,
             .text = "Start"},
            {.id = StopButton, .kind = ControlKind::PushButton, .x = 166, .y = 207, .cx = 50, .cy = 14,
             .text = "Stop", .style = ui::WsDisabled},
            {.id = ui::IDCANCEL, .kind = ControlKind::PushButton, .x = 223, .y = 207, .cx = 50, .cy = 14,
             .text = "Close"},
        },
    };
    // clang-format on
    return dialogTemplate;
}

CardProfileReader& ProgramProfileReader()
{
    static CardProfileReader reader;
    return reader;
}

QString FileList(const CardProfile& profile)
{
    QStringList names;
    for (const auto& [present, kind] : {std::pair{profile.camera.has_value(), SettingsFileKind::Camera},
                                        std::pair{profile.mms.has_value(), SettingsFileKind::Mms},
                                        std::pair{profile.gprs.has_value(), SettingsFileKind::Gprs},
                                        std::pair{profile.sms.has_value(), SettingsFileKind::Sms}}) {
        if (present)
            names << SettingsFileName(kind);
    }
    return names.join(QStringLiteral(", "));
}

// One line per card: what it got and whether it was ejected; for a card not
// written whole, what each of its files is now.
QString CardLine(const CardOutcome& card, bool chinese)
{
    QString line = card.headline(chinese);
    if (!card.complete())
        line += QLatin1Char(' ') + card.fileLines(chinese).join(QStringLiteral("; "));
    if (card.ejected.ok())
        return kEjectedText.text(chinese).arg(line);
    return line + QStringLiteral("; ") + card.ejectLine(chinese);
}

} // namespace

void UseCardProfileReader(CardProfileReader reader)
{
    ProgramProfileReader() = std::move(reader);
}

CardWritingPorts SystemCardWritingPorts()
{
    return CardWritingPorts{
        .drives = [] { return SystemRemovableDrives(); },
        .arrivals =
            [](RemovableDrives& drives) {
                return std::make_unique<CardWatcher>(drives, QString(), CardWatcher::Interruptible::No);
            },
        .readProfile = ProgramProfileReader(),
    };
}

CCardsDialog::CCardsDialog(ui::Services& services, CardWritingPorts ports)
    : ui::CDialog(CardsTemplate(), services), m_ports(std::move(ports))
{
    using ui::Notification;
    On(Notification::Clicked, FromCardButton, [this] { FromCard(); });
    On(Notification::Clicked, FromFolderButton, [this] { TakeProfile(this->services().folders.browseForFolder()); });
    On(Notification::Clicked, FromFileButton, [this] {
        const bool chinese = ChineseMessages();
        TakeProfile(this->services().files.chooseFile(
            kProfileDialogText.text(chinese), {kProfileFilterText.text(chinese), kAllFilesFilterText.text(chinese)}));
    });
    On(Notification::Clicked, StartButton, [this] { Start(); });
    On(Notification::Clicked, StopButton, [this] { Stop(); });
}

CCardsDialog::~CCardsDialog()
{
    // The card in hand is finished file by file before the window goes.
    if (m_thread) {
        m_session->stop();
        m_thread->wait();
    }
}

bool CCardsDialog::OnInitDialog()
{
    ui::CDialog::OnInitDialog();
    // Opened from the always-on-top main window: it must not open behind it.
    widget()->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    SetChineseMessages(kestra::ChineseMessages()); // the shell's choice; ChineseMessages() below asks the window
    SetTexts();
    GetDlgItem(ProfileNote)->SetWindowText(kNoProfileText.text(ChineseMessages()));
    return true;
}

void CCardsDialog::SetTexts()
{
    const bool chinese = ChineseMessages();
    SetWindowText(kCaptionText.text(chinese));
    for (const auto& [id, text] :
         {std::pair{ProfileLabel, &kProfileLabelText}, std::pair{FromCardButton, &kFromCardText},
          std::pair{FromFolderButton, &kFromFolderText}, std::pair{FromFileButton, &kFromFileText},
          std::pair{CountLabel, &kCountLabelText}, std::pair{SerialLabel, &kSerialLabelText},
          std::pair{StartButton, &kStartText}, std::pair{StopButton, &kStopText}, std::pair{ui::IDCANCEL, &kCloseText}})
        GetDlgItem(id)->SetWindowText(text->text(chinese));
}

void CCardsDialog::FromCard()
{
    const bool chinese = ChineseMessages();
    CardList& cards = CardList::shared();
    const std::optional<std::vector<CardVolume>> known = cards.volumes();
    if (!known) {
        // The list's first look has not ended (the drives can take seconds
        // to answer): say so, and answer once it has, without holding up the
        // window.
        GetDlgItem(ProfileNote)->SetWindowText(kLookingText.text(chinese));
        if (!m_cardLookPending) {
            m_cardLookPending = true;
            WaitForFirstLook();
        }
        return;
    }
    const std::vector<CardVolume>& volumes = *known;
    if (volumes.size() == 1) {
        TakeProfile(volumes.front().mountPoint);
        return;
    }
    cards.refresh();
    GetDlgItem(ProfileNote)
        ->SetWindowText(volumes.empty() ? kNoCardText.text(chinese)
                                        : kSeveralCardsText.text(chinese).arg(volumes.size()));
}

void CCardsDialog::WaitForFirstLook()
{
    QPointer<QWidget> alive(widget());
    QTimer::singleShot(kFirstLookPollMs, widget(), [this, alive] {
        if (!alive)
            return;
        if (!CardList::shared().volumes()) {
            WaitForFirstLook();
            return;
        }
        m_cardLookPending = false;
        FromCard();
    });
}

void CCardsDialog::TakeProfile(const std::optional<QString>& path)
{
    if (!path || path->isEmpty())
        return; // cancelled: the profile stays as it was
    const bool chinese = ChineseMessages();
    const QString where = QDir::toNativeSeparators(*path);
    if (!m_ports.readProfile) {
        GetDlgItem(ProfileNote)->SetWindowText(kNoReaderText.text(chinese));
        return;
    }
    const CardProfileRead read = m_ports.readProfile(*path, CameraLanguageCode());
    if (!read.profile) {
        // A profile that does not read leaves the one read before as it was.
        ShowMessage(kNotAProfileText.text(chinese).arg(where, read.refusal));
        return;
    }
    m_profile = read.profile;
    GetDlgItem(ProfileField)->SetWindowText(where);
    GetDlgItem(ProfileNote)->SetWindowText(kHoldsText.text(chinese).arg(FileList(*m_profile)));
}

void CCardsDialog::Start()
{
    if (m_thread)
        return;
    const bool chinese = ChineseMessages();
    if (!m_profile) {
        ShowMessage(kNoProfileText.text(chinese));
        return;
    }
    bool number = false;
    const int count = GetDlgItem(CountField)->GetWindowText().trimmed().toInt(&number);
    if (!number || count < 1 || count > 9999) {
        ShowMessage(kCountText.text(chinese));
        GetDlgItem(CountField)->SetFocus();
        return;
    }
    const QString serialText = GetDlgItem(SerialField)->GetWindowText().trimmed();
    const std::optional<SerialText> serial = SerialText::Parse(serialText);
    if (!serialText.isEmpty()) {
        QString refusal;
        if (!serial)
            refusal = kSerialText.text(chinese);
        else if (!m_profile->camera)
            refusal = kSerialNoCameraText.text(chinese);
        else if (!serial->roomFor(count))
            refusal = kPastLastSerialText.text(chinese).arg(count).arg(serial->text());
        if (!refusal.isEmpty()) {
            ShowMessage(refusal);
            GetDlgItem(SerialField)->SetFocus();
            return;
        }
    }

    CardSessionPlan plan;
    plan.profile = *m_profile;
    plan.serial = serialText.isEmpty() ? std::nullopt : serial;
    plan.count = count;
    ui::ClockService& clock = services().clock;
    plan.clock = [&clock] { return PcClockNow(clock); };
    plan.chinese = chinese;
    m_drives = m_ports.drives();
    m_arrivals = m_ports.arrivals(*m_drives);
    m_session = std::make_unique<CardSession>(*m_drives, *m_arrivals, std::move(plan));

    ui::CProgressCtrl progress = Progress(ProgressBar);
    progress.SetRange(0, count);
    progress.SetPos(0);
    ShowRunning(true);
    CardSession& session = *m_session;
    RemovableDrives& drives = *m_drives;
    m_thread.reset(QThread::create([this, &session, &drives, chinese] {
        // The drives are asked here, never on the window's thread: one
        // question to the system's service can take a minute.
        const QString unavailable = drives.unavailable();
        if (!unavailable.isEmpty()) {
            const QString line = kNoDrivesText.text(chinese).arg(unavailable);
            Post([this, line] {
                ListBox(CardLines).AddString(line);
                Finished(line);
            });
            return;
        }
        session.run(
            [this, &session, chinese] {
                const QString line = kPutCardsInText.text(chinese).arg(session.waitingLine());
                Post([this, line] { GetDlgItem(StatusLine)->SetWindowText(line); });
            },
            [this, &session](const CardOutcome& card) {
                Post([this, card, written = session.written(), next = session.serial()] {
                    CardDone(card, written, next);
                });
            });
        Post([this, summary = session.summaryLine(), usedUp = session.serialsUsedUp(), &session] {
            Finished(usedUp ? summary + QLatin1Char(' ') + session.serialsUsedUpLine() : summary);
        });
    }));
    m_thread->start();
}

void CCardsDialog::Post(std::function<void()> onWindowThread)
{
    QMetaObject::invokeMethod(widget(), std::move(onWindowThread), Qt::QueuedConnection);
}

void CCardsDialog::ShowMessage(const QString& text)
{
    services().messages.showMessage(QString::fromUtf8(g_appCaption), text);
}

void CCardsDialog::CardDone(const CardOutcome& card, int written, std::optional<SerialText> next)
{
    ListBox(CardLines).AddString(CardLine(card, ChineseMessages()));
    Progress(ProgressBar).SetPos(written);
    // The field shows the serial text the next card gets, so that a run
    // stopped here goes on from it.
    if (next)
        GetDlgItem(SerialField)->SetWindowText(next->text());
}

void CCardsDialog::Finished(const QString& summary)
{
    if (m_thread) {
        m_thread->wait();
        m_thread.reset();
    }
    const int written = m_session ? m_session->written() : 0;
    m_session.reset();
    m_arrivals.reset();
    m_drives.reset();
    GetDlgItem(StatusLine)->SetWindowText(summary);
    // What is left to write, for the next run.
    bool number = false;
    const int count = GetDlgItem(CountField)->GetWindowText().toInt(&number);
    if (number && count > written && written > 0)
        GetDlgItem(CountField)->SetWindowText(QString::number(count - written));
    ShowRunning(false);
    if (m_closeWhenDone)
        EndDialog(ui::IDCANCEL);
}

void CCardsDialog::Stop()
{
    if (!m_session)
        return;
    GetDlgItem(StatusLine)->SetWindowText(kStoppingText.text(ChineseMessages()));
    GetDlgItem(StopButton)->EnableWindow(false);
    m_session->stop();
}

void CCardsDialog::ShowRunning(bool running)
{
    for (int id : {FromCardButton, FromFolderButton, FromFileButton, CountField, SerialField, StartButton})
        GetDlgItem(id)->EnableWindow(!running);
    GetDlgItem(StopButton)->EnableWindow(running);
}

void CCardsDialog::OnOK()
{
    // Enter starts, as the default button says; it never closes the window.
    Start();
}

void CCardsDialog::OnCancel()
{
    // Close (or Esc) during a run stops it first; the window goes once the
    // card in hand is left whole.
    if (m_thread) {
        m_closeWhenDone = true;
        Stop();
        return;
    }
    ui::CDialog::OnCancel();
}

} // namespace kestra
