// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardList.h"
#include "cards/CardVolumes.h"
#include "cards/RemovableDrives.h"

#include <QString>

#include <optional>

namespace kestra {

// What the settings windows show of cards: the folder their folder browser
// opens on, a note on the card a folder lies on, and the offer to eject a
// card once a save onto it went through. Texts are Chinese when `chinese` is
// set, English otherwise, as every message of the tool's own.

// The root of the removable volume mounted, when exactly one is (under
// `root` when given): where a user with one card in means to save.
std::optional<QString> SingleCardFolder(RemovableDrives& drives, const QString& root = {});
// The same from a card list as last looked at: answered at once.
std::optional<QString> SingleCardFolder(const CardList& cards);

// "On the card KESTRA, 7.3 GB free" for a folder on a removable volume;
// empty for any other folder.
QString CardFolderNote(RemovableDrives& drives, const QString& folder, bool chinese);
QString CardFolderNote(const CardList& cards, const QString& folder, bool chinese);

// The question added to the saved message when the folder lies on a card.
QString EjectQuestion(const CardVolume& card, bool chinese);
// What the user is told after the eject they asked for.
QString EjectOutcome(const CardVolume& card, const EjectResult& result, bool chinese);

} // namespace kestra
