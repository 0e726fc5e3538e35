// SPDX-License-Identifier: Apache-2.0
#include "cli/CameraCommand.h"

#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraFileReader.h"
#include "formats/camera/CameraWords.h"
#include "storage/SettingsFileIo.h"

#include <CLI/CLI.hpp>

#include <string_view>

namespace kestra::cli {

namespace {

// A list's help: what it sets, its words (or the row's summary of a list too
// long to name each entry) and the entry the window opens on.
std::string ListHelp(const CameraField& row)
{
    const QStringList entries = CameraListEntries(kLanguageEnglish, row.list);
    const QString accepted =
        row.accepted != nullptr ? QString::fromUtf8(row.accepted) : entries.join(QStringLiteral(", "));
    return QStringLiteral("%1: %2, %3 [default: %4]")
        .arg(QString::fromUtf8(row.help), accepted, BareNumberHelp(entries), entries.value(row.initial))
        .toStdString();
}

// Each key once, on its first row.
bool FirstRowOfKey(const CameraField& row)
{
    for (const CameraField& field : kCameraFields) {
        if (std::string_view(field.key) == row.key)
            return &field == &row;
    }
    return false;
}

constexpr const CameraField& kClockRow = CameraFieldOf(&CameraSettings::clockYear);

} // namespace

CameraCommand::CameraCommand(CLI::App& program, const ParserOptions& options)
{
    m_command = program.add_subcommand(kName, "Write camera.dat: the Camera window's settings");
    m_command->add_option("--out", m_out, "Folder to write camera.dat into (the card's root)")
        ->required()
        ->type_name("DIR");
    // Everything --defaults refuses: the default-parameters file has no TV
    // mode byte or clock either.
    m_settingOptions.push_back(
        m_command
            ->add_option("--from", m_from,
                         "Start from this camera.dat instead of the window's opening state; its language "
                         "byte and TV mode stay unless --lang or --tv-mode is given, the clock is set anew")
            ->type_name("FILE"));
    m_settingOptions.push_back(m_command->add_option("--" + std::string(kClockRow.key), m_clock, kClockRow.help)
                                   ->type_name("\"YYYY-MM-DD hh:mm:ss\""));
    m_command->add_flag("--defaults", m_defaults,
                        "Write the default-parameters file, which resets the camera to its factory settings");
    m_session.addTo(*m_command, true);
    if (CLI::Option* tvMode = m_command->get_option_no_throw("--" + std::string(kTvModeKey)))
        m_settingOptions.push_back(tvMode);
    m_keys.buildFor(options);
    for (const CameraField& row : kCameraFields) {
        if (!FirstRowOfKey(row))
            continue;
        switch (row.word) {
        case CameraWord::List:
            m_keys.add(*m_command, row.key, options.withHelp() ? ListHelp(row) : std::string(), "VALUE");
            break;
        case CameraWord::Serial:
        case CameraWord::Time:
            m_keys.add(*m_command, row.key, row.help, "VALUE");
            break;
        case CameraWord::Clock:
        case CameraWord::Session:
            break;
        }
    }
}

int CameraCommand::run() const
{
    const QString folder = FromStd(m_out);
    const QString path = SettingsFilePath(folder, QString::fromLatin1(kCameraFileName));

    if (m_defaults) {
        // The default-parameters file carries no settings, so nothing may be set with it.
        const CLI::Option* setting = m_keys.given();
        for (const CLI::Option* option : m_settingOptions) {
            if (setting == nullptr && option->count() > 0)
                setting = option;
        }
        if (setting != nullptr)
            RefuseUsage(QStringLiteral("--defaults writes the factory-settings file, which takes no settings; "
                                       "leave out %1")
                            .arg(FromStd(setting->get_name())));
        const Session session = m_session.session();
        return FinishSave(WriteCameraDefaultFile(folder), session.chineseMessages(),
                          CameraDefaultSavedMessage(session.languageIndex), path);
    }

    const Checked<CameraSettings> settings = prepare();
    const Session session = m_session.session(settings->languageCode, settings->tvMode);
    return FinishSave(WriteCameraFile(folder, settings), session.chineseMessages(),
                      CameraSavedMessage(session.languageIndex), path);
}

Checked<CameraSettings> CameraCommand::prepare() const
{
    CameraChoices choices;
    std::optional<int> fileLanguage;
    std::optional<int> fileTvMode;
    if (!m_from.empty()) {
        const bool chinese = m_session.session().chineseMessages();
        RefuseUncheckedFromFile(SettingsFileKind::Camera, m_from, chinese);
        const CameraReadResult read = ReadCameraFile(FromStd(m_from));
        if (!read.ok())
            throw CliFailure{kExitFailed, FromFileFailure(*read.error, chinese)};
        if (read.values.defaultParameters)
            RefuseUsage((chinese ? QStringLiteral("--from：%1 是恢复默认参数的文件，其中没有可作起点的设置")
                                 : QStringLiteral(
                                     "--from: %1 is a default-parameters file; it holds no settings to start from"))
                            .arg(NativePath(m_from)));
        choices = CameraChoicesFromSettings(read.values.settings);
        fileLanguage = read.values.settings.languageCode;
        fileTvMode = read.values.settings.tvMode;
    }
    const Session session = m_session.session(fileLanguage, fileTvMode);
    // Refused before the folder is touched, as a value a --from file brought
    // in that no window could have written is.
    return Decided(
        PrepareCameraWords(choices, m_keys.words(),
                           CameraClock(m_clock, m_command->get_option("--" + std::string(kClockRow.key))->count() > 0,
                                       session.chineseMessages()),
                           session, KeySpelling::CommandLine()));
}

} // namespace kestra::cli
