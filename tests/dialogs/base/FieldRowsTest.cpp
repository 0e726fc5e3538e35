// SPDX-License-Identifier: Apache-2.0
// The rows of each settings file are its one vocabulary: every option of its
// command, every key the profile writer emits and every field a window binds
// is a row's, each row is used by one of them (or is the session's), and the
// rows themselves give each field its own name, key, offset and block.

#include "cards/CardProfileFile.h"
#include "cli/CameraCommand.h"
#include "cli/GprsCommand.h"
#include "cli/MailTestCommand.h"
#include "cli/MmsCommand.h"
#include "cli/SmsCommand.h"
#include "dialogs/camera/CameraDialog.h"
#include "dialogs/mms/MmsDialog.h"
#include "dialogs/sms/SmsDialog.h"
#include "dialogs/smtp/SmtpDialog.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraSave.h"
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSave.h"
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsSave.h"
#include "formats/sms/SmsFile.h"
#include "formats/sms/SmsSave.h"
#include "mailtest/core/MailTest.h"

#include <CLI/CLI.hpp>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace kestra {
namespace {

using Names = std::set<std::string>;

// What one file's doors use of its rows.
struct Vocabulary {
    const char* file;
    Names keys{};                      // every key of the rows but the session's
    Names fieldNames{};                // every row's name
    Names sessionNames{};              // the rows the session sets (language, TV mode)
    Names options{};                   // the command's options after "--", but its own (--out, --from, ...)
    Names profileKeys{};               // the keys the profile writer emits, over records of every mode
    Names boundNames{};                // the fields a window binds
    std::vector<std::string> faults{}; // a binding that is not its member's row, a name or key twice
};

// The options that are the command line's alone: where the file goes, what
// it starts from, the session and help.
bool CommandLineOnly(const std::string& option)
{
    for (const char* own : {"help", "out", "from", "defaults", kLanguageOption, kTvModeKey}) {
        if (option == own)
            return true;
    }
    return false;
}

template <typename Command> Names OptionsOf()
{
    CLI::App program;
    Command command{program};
    Names options;
    for (const CLI::Option* option : command.subcommand()->get_options()) {
        const std::string name = option->get_name();
        if (name.rfind("--", 0) == 0 && !CommandLineOnly(name.substr(2)))
            options.insert(name.substr(2));
    }
    return options;
}

Names ProfileKeysOf(SettingsFileKind kind, const std::vector<QByteArray>& files)
{
    Names keys;
    for (const QByteArray& bytes : files) {
        const SettingsFileCheck check = CheckSettingsFile(kind, bytes);
        EXPECT_TRUE(check.clean()) << SettingsFileName(kind).toStdString();
        const QJsonObject section = ProfileSection(check);
        for (auto it = section.begin(); it != section.end(); ++it)
            keys.insert(it.key().toStdString());
    }
    return keys;
}

template <typename Row> void AddRow(Vocabulary& v, const Row& row, bool session)
{
    if (!v.fieldNames.insert(row.name).second)
        v.faults.push_back(std::string("two rows named ") + row.name);
    if (session)
        v.sessionNames.insert(row.name);
    else if (row.key != nullptr)
        v.keys.insert(row.key);
}

// A block file's rows: its numbers (some of them the session's) and its texts.
template <typename Numbers, typename Texts> void AddRows(Vocabulary& v, const Numbers& numbers, const Texts& texts)
{
    for (const auto& row : numbers)
        AddRow(v, row, row.session);
    for (const auto& row : texts)
        AddRow(v, row, false);
}

template <typename Record, typename Numbers, typename Texts>
void AddBindings(Vocabulary& v, std::span<const FieldBinding<Record>> bindings, const Numbers& numbers,
                 const Texts& texts)
{
    for (const FieldBinding<Record>& binding : bindings) {
        const char* rowName = binding.text != nullptr ? binding.text->name : RowOf(numbers, binding.number).name;
        if constexpr (std::is_same_v<typename Texts::value_type, TextField<Record>>) {
            if (binding.text != nullptr && &RowOf(texts, binding.text->member) != binding.text)
                v.faults.push_back(std::string("text binding outside the rows: ") + binding.name);
        }
        if (std::string(rowName) != binding.name)
            v.faults.push_back(std::string("binding named otherwise than its row: ") + binding.name);
        v.boundNames.insert(binding.name);
    }
}

Session English()
{
    return Session{kLanguageEnglish, kLanguageEnglish, 0};
}

template <typename Record>
QByteArray FileOf(const SaveDecision<Record>& decision, QByteArray (*build)(const Checked<Record>&))
{
    EXPECT_TRUE(decision.ok()) << decision.refusal.value_or(QString()).toStdString();
    return decision.ok() ? build(*decision.checked) : QByteArray();
}

Vocabulary Camera()
{
    Vocabulary v{"camera.dat"};
    for (const CameraField& row : kCameraFields)
        AddRow(v, row, row.word == CameraWord::Session);
    v.options = OptionsOf<cli::CameraCommand>();
    v.profileKeys = ProfileKeysOf(
        SettingsFileKind::Camera,
        {FileOf(PrepareCameraSave(CameraChoices{}, PcClock{2024, 3, 5, 8, 7, 6}, English()), &BuildCameraFile)});
    // The clock is set for each card, never by a profile.
    v.profileKeys.insert(CameraFieldOf(&CameraSettings::clockYear).key);
    AddBindings<CameraSettings>(v, CCameraDialog::Bindings(), kCameraFields, kCameraFields);
    return v;
}

// A block file's vocabulary: its rows, its command's options, the profile keys
// of the files its window saves from `shown`, and its window's bindings.
template <typename Command, typename Record, typename Numbers, typename Texts>
Vocabulary BlockFile(const char* file, const Numbers& numbers, const Texts& texts, SettingsFileKind kind,
                     const std::vector<Record>& shown, SaveDecision<Record> (*prepare)(const Record&, const Session&),
                     QByteArray (*build)(const Checked<Record>&), std::span<const FieldBinding<Record>> bindings)
{
    Vocabulary v{file};
    AddRows(v, numbers, texts);
    v.options = OptionsOf<Command>();
    std::vector<QByteArray> files;
    for (const Record& record : shown)
        files.push_back(FileOf(prepare(record, English()), build));
    v.profileKeys = ProfileKeysOf(kind, files);
    AddBindings<Record>(v, bindings, numbers, texts);
    return v;
}

Vocabulary Mms()
{
    MmsSettings preset = InitialMmsSettings(English());
    preset.phone = "13800138000";
    MmsSettings custom = preset;
    custom.presetFlag = 0;
    custom.countryCode = COUNTRY_CUSTOM;
    return BlockFile<cli::MmsCommand>("mms.dat", kMmsNumberFields, kMmsTextFields, SettingsFileKind::Mms,
                                      std::vector{preset, custom}, &PrepareMmsSave, &BuildMmsFile,
                                      CMmsDialog::Bindings());
}

Vocabulary Gprs()
{
    GprsSettings automatic = InitialGprsSettings(English());
    automatic.smtpServer = "smtp.example.org";
    automatic.smtpPort = "25";
    automatic.senderEmail = "cam@example.org";
    automatic.senderPassword = "secret";
    automatic.recipientEmail = "me@example.org";
    GprsSettings customer = automatic;
    customer.mode = kGprsModeCustomer;
    return BlockFile<cli::GprsCommand>("gprs.dat", kGprsNumberFields, kGprsTextFields, SettingsFileKind::Gprs,
                                       std::vector{automatic, customer}, &PrepareGprsSave, &BuildGprsFile,
                                       CSmtpDialog::Bindings());
}

Vocabulary Sms()
{
    SmsSettings shown = InitialSmsSettings(English());
    shown.phone1 = "13800138000";
    return BlockFile<cli::SmsCommand>("sms.dat", kSmsNumberFields, kSmsTextFields, SettingsFileKind::Sms,
                                      std::vector{shown}, &PrepareSmsSave, &BuildSmsFile, CSmsDialog::Bindings());
}

std::string Joined(const Names& names)
{
    std::string joined;
    for (const std::string& name : names)
        joined += name + ' ';
    return joined;
}

TEST(FieldRows, EveryOptionProfileKeyAndBindingIsARowsAndEveryRowIsUsed)
{
    for (const Vocabulary& v : {Camera(), Mms(), Gprs(), Sms()}) {
        SCOPED_TRACE(v.file);
        EXPECT_TRUE(v.faults.empty()) << v.faults.front();
        EXPECT_EQ(Joined(v.options), Joined(v.keys)) << "the command's options are the rows' keys";
        EXPECT_EQ(Joined(v.profileKeys), Joined(v.keys)) << "the profile writer's keys are the rows' keys";
        Names used = v.boundNames;
        used.insert(v.sessionNames.begin(), v.sessionNames.end());
        EXPECT_EQ(Joined(used), Joined(v.fieldNames)) << "a window binds each row the session does not set";
    }
}

TEST(FieldRows, TheMailTestsOptionsAreTheRowsOfTheValuesItUses)
{
    Names wanted;
    for (QByteArray GprsSettings::*member : kMailTestFields)
        wanted.insert(RowOf(kGprsTextFields, member).key);
    Names keys;
    for (const GprsTextField& row : kGprsTextFields)
        keys.insert(row.key);
    Names options;
    for (const std::string& option : OptionsOf<cli::MailTestCommand>()) {
        if (keys.count(option) != 0)
            options.insert(option);
    }
    EXPECT_EQ(Joined(options), Joined(wanted));
}

// Each number lies in bytes of its own, apart from the bytes the file fixes;
// each text in a block of its own within the file's text blocks.
template <typename Record, std::size_t N, std::size_t M, std::size_t F>
void ExpectOwnPlaces(const std::array<NumberField<Record>, N>& numbers, const std::array<TextField<Record>, M>& texts,
                     const std::array<FixedByte, F>& fixed, std::size_t textBlocks, std::size_t derivedBlock = 0)
{
    std::set<std::size_t> bytes;
    for (const FixedByte& byte : fixed)
        EXPECT_TRUE(bytes.insert(byte.offset).second) << "fixed byte " << byte.offset;
    for (const NumberField<Record>& row : numbers) {
        const std::size_t width = row.storage == NumberStorage::Digits ? 2 : 1;
        for (std::size_t i = 0; i < width; ++i)
            EXPECT_TRUE(bytes.insert(row.offset + i).second) << row.name;
        EXPECT_LT(row.offset + width - 1, kBlockTextLengthOffset) << row.name;
        EXPECT_LE(row.low, row.high) << row.name;
    }
    std::set<std::size_t> blocks{derivedBlock};
    for (const TextField<Record>& row : texts) {
        EXPECT_TRUE(blocks.insert(row.block).second) << row.name;
        EXPECT_GE(row.block, 1u) << row.name;
        EXPECT_LE(row.block, textBlocks) << row.name;
        EXPECT_LE(row.limit, static_cast<qsizetype>(kBlockPayloadSize)) << row.name;
    }
}

TEST(FieldRows, EachFieldHasItsOwnPlaceInItsFile)
{
    ExpectOwnPlaces(kMmsNumberFields, kMmsTextFields, kMmsFixedBytes, kMmsTextBlocks);
    ExpectOwnPlaces(kGprsNumberFields, kGprsTextFields, kGprsFixedBytes, kGprsTextBlocks, kGprsUserNameField.block);
    ExpectOwnPlaces(kSmsNumberFields, kSmsTextFields, kSmsFixedBytes, kSmsTextBlocks);
}

} // namespace
} // namespace kestra
