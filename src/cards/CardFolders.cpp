// SPDX-License-Identifier: Apache-2.0
#include "cards/CardFolders.h"

#include <QDir>

namespace kestra {

namespace {

QString CardName(const CardVolume& card, bool chinese)
{
    if (!card.label.isEmpty())
        return card.label;
    return chinese ? QStringLiteral("存储卡") : QStringLiteral("card");
}

} // namespace

std::optional<QString> SingleCardFolder(RemovableDrives& drives, const QString& root)
{
    const std::vector<CardVolume> volumes = ListCardVolumes(drives, root);
    if (volumes.size() != 1)
        return std::nullopt;
    return QDir::toNativeSeparators(volumes.front().mountPoint);
}

std::optional<QString> SingleCardFolder(const CardList& cards)
{
    const std::optional<std::vector<CardVolume>> volumes = cards.volumes();
    if (!volumes || volumes->size() != 1)
        return std::nullopt;
    return QDir::toNativeSeparators(volumes->front().mountPoint);
}

namespace {

QString NoteOf(const std::optional<CardVolume>& card, bool chinese)
{
    if (!card)
        return {};
    return chinese ? QStringLiteral("在存储卡 %1 上，剩余 %2").arg(CardName(*card, true), ByteCountText(card->free))
                   : QStringLiteral("On the card %1, %2 free").arg(CardName(*card, false), ByteCountText(card->free));
}

} // namespace

QString CardFolderNote(RemovableDrives& drives, const QString& folder, bool chinese)
{
    return NoteOf(CardVolumeOf(drives, QDir::fromNativeSeparators(folder)), chinese);
}

QString CardFolderNote(const CardList& cards, const QString& folder, bool chinese)
{
    return NoteOf(cards.cardOf(QDir::fromNativeSeparators(folder)), chinese);
}

QString EjectQuestion(const CardVolume& card, bool chinese)
{
    return chinese ? QStringLiteral("现在弹出存储卡 %1 吗？").arg(CardName(card, true))
                   : QStringLiteral("Eject the card %1 now?").arg(CardName(card, false));
}

QString EjectOutcome(const CardVolume& card, const EjectResult& result, bool chinese)
{
    if (result.ok())
        return chinese ? QStringLiteral("存储卡 %1 已弹出，可以取出。").arg(CardName(card, true))
                       : QStringLiteral("The card %1 is ejected and can be taken out.").arg(CardName(card, false));
    return chinese ? QStringLiteral("存储卡 %1 未能弹出: %2").arg(CardName(card, true), result.failure)
                   : QStringLiteral("The card %1 could not be ejected: %2").arg(CardName(card, false), result.failure);
}

} // namespace kestra
