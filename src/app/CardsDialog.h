// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardProfile.h"
#include "cards/CardSession.h"
#include "cards/CardWatcher.h"
#include "cards/RemovableDrives.h"
#include "ui/Dialog.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace kestra {

// Control ids of the card writing window.
namespace CardsControl {
inline constexpr int ProfileLabel = 1200;
inline constexpr int ProfileField = 1201;
inline constexpr int FromCardButton = 1202;
inline constexpr int FromFolderButton = 1203;
inline constexpr int FromFileButton = 1204;
inline constexpr int ProfileNote = 1205;
inline constexpr int CountLabel = 1206;
inline constexpr int CountField = 1207;
inline constexpr int SerialLabel = 1208;
inline constexpr int SerialField = 1209;
inline constexpr int ProgressBar = 1210;
inline constexpr int StatusLine = 1211;
inline constexpr int CardLines = 1212;
inline constexpr int StartButton = 1213;
inline constexpr int StopButton = 1214;
} // namespace CardsControl

// What the window writes cards with: the system's drives and mounts unless a
// test gives its own.
struct CardWritingPorts {
    std::function<std::unique_ptr<RemovableDrives>()> drives;
    std::function<std::unique_ptr<CardArrivals>(RemovableDrives&)> arrivals;
    CardProfileReader readProfile;
};
// The program's reader of profiles (the command line's, set where the
// windows are started); the window offers no profile without one.
void UseCardProfileReader(CardProfileReader reader);
// The system's drives and mounts, and the reader set above.
CardWritingPorts SystemCardWritingPorts();

// "Write cards": a profile from the card in, a folder or a profile file, how
// many cards, the first serial text; then card after card on a thread of its
// own (wait, write, read back, eject, number), with a progress bar and one
// line per card. Stop ends a wait at once, and during a card leaves each file
// whole, old or new. Texts are Chinese in the Chinese interface, English
// otherwise.
class CCardsDialog : public ui::CDialog {
public:
    CCardsDialog(ui::Services& services, CardWritingPorts ports);
    ~CCardsDialog() override;

    bool Running() const { return m_thread != nullptr; }
    // The profile as read last (tests).
    const std::optional<CardProfile>& Profile() const { return m_profile; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void SetTexts();
    void TakeProfile(const std::optional<QString>& path);
    void FromCard();
    void WaitForFirstLook();
    void Start();
    void Stop();
    void ShowRunning(bool running);
    void CardDone(const CardOutcome& card, int written, std::optional<SerialText> next);
    void Finished(const QString& summary);
    void Post(std::function<void()> onWindowThread);
    void ShowMessage(const QString& text);

    CardWritingPorts m_ports;
    std::optional<CardProfile> m_profile;
    std::unique_ptr<RemovableDrives> m_drives;
    std::unique_ptr<CardArrivals> m_arrivals;
    std::unique_ptr<CardSession> m_session;
    std::unique_ptr<QThread> m_thread;
    bool m_closeWhenDone = false;
    // "Card in" was pressed before the card list's first look ended.
    bool m_cardLookPending = false;
    static constexpr int kFirstLookPollMs = 100;
};

} // namespace kestra
