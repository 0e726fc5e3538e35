// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardProfile.h"
#include "cards/CardVolumes.h"
#include "cards/CardWatcher.h"
#include "cards/CardWriter.h"
#include "cards/RemovableDrives.h"
#include "cards/SerialText.h"
#include "common/Session.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

namespace kestra {

class FileOps;

// What one card of a session got: its files (new or old), its serial text,
// and whether it could be ejected.
struct CardOutcome {
    CardVolume volume;
    CardWriteReport report;
    EjectResult ejected;
    // An earlier card of the run was not ejected either: its line said what
    // to do, this one only why.
    bool ejectFailedBefore = false;

    bool complete() const { return report.complete(); }
    // "/media/KESTRA: card written and read back, serial text CAM8", or that
    // the card is incomplete (or stopped) and holds the lines that follow.
    QString headline(bool chinese) const;
    // One line per file (CardWriteReport::lines).
    QStringList fileLines(bool chinese) const;
    // "KESTRA (/media/KESTRA), 7.3 GB free: ejected; take the card out", or why not.
    QString ejectLine(bool chinese) const;
};

// What a session is to do, card after card.
struct CardSessionPlan {
    CardProfile profile;
    // The first card's serial text; each card written gets the next one. None
    // leaves the profile's camera section as it is.
    std::optional<SerialText> serial;
    // Cards to write; 0 writes until stopped.
    int count = 0;
    // Switch the last card's drive off once it is ejected (a USB card reader
    // then sees no card until plugged in again); only with a count.
    bool powerOffAfterLast = false;
    // The camera clock each card gets, asked when the card is written.
    std::function<PcClock()> clock;
    bool chinese = false;
};

// Writes card after card from one profile: waits for a new card, writes every
// file and reads each back from the card, ejects it (the reader stays on for
// the next), and numbers the next one. A card that fails keeps its serial
// text for the card written after it, so that no camera number is skipped.
// The command line's `card write --wait` and the window that writes cards
// both run it; the waiting and writing may run on a thread of their own.
class CardSession {
public:
    CardSession(RemovableDrives& drives, CardArrivals& arrivals, CardSessionPlan plan);
    CardSession(RemovableDrives& drives, CardArrivals& arrivals, CardSessionPlan plan, FileOps& ops);

    // The next card, or nothing when the session is over (stopped, the count
    // reached, the serial texts used up) or the wait was stopped.
    std::optional<CardVolume> waitForCard();
    // Writes, checks and ejects `card`, and counts it.
    CardOutcome writeCard(const CardVolume& card);
    // Runs waitForCard and writeCard until the session is over; `waiting`
    // runs before each wait, `written` after each card.
    void run(const std::function<void()>& waiting, const std::function<void(const CardOutcome&)>& written);

    // From any thread: ends a wait at once; during a card, the file being
    // written is finished and the card's other files are left as they are
    // (its outcome says which are new and which old), and it is still ejected.
    void stop();
    bool stopRequested() const;
    // Stopped, the count reached, or no serial text left for another card.
    bool over() const;
    bool serialsUsedUp() const { return m_serialsUsedUp; }

    int written() const { return m_written; }
    int failed() const { return m_failed; }
    // Cards written or not that could not be ejected.
    int notEjected() const { return m_notEjected; }
    // The serial text the next card gets.
    const std::optional<SerialText>& serial() const { return m_serial; }
    const CardSessionPlan& plan() const { return m_plan; }

    // "Waiting for a card (serial text CAM8)", "3 card(s) written, 1 incomplete."
    QString waitingLine() const;
    QString summaryLine() const;
    // Said once the card numbered ZZZZ is written.
    QString serialsUsedUpLine() const;

private:
    RemovableDrives& m_drives;
    CardArrivals& m_arrivals;
    CardSessionPlan m_plan;
    FileOps& m_ops;
    std::optional<SerialText> m_serial;
    std::atomic<bool> m_stop{false};
    bool m_serialsUsedUp = false;
    int m_written = 0;
    int m_failed = 0;
    int m_notEjected = 0;
};

} // namespace kestra
