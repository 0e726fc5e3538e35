// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CliSupport.h"
#include "formats/camera/CameraSettings.h"
#include "formats/camera/CameraTexts.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace kestra::cli {

// The options (flag and value) that give the record's settings back: every
// list in the window's English words, the serial text and the times. The
// clock, language and TV mode are no camera options.
std::vector<std::pair<QString, QString>> CameraOptionWords(const CameraSettings& settings);

// kestra-setup camera --out DIR [options]: camera.dat from the Camera
// window's opening state (or from --from FILE) with the options applied, or the
// default-parameters file with --defaults.
class CameraCommand {
public:
    static constexpr const char* kName = "camera"; // the subcommand
    explicit CameraCommand(CLI::App& program, const ParserOptions& options = {});

    CLI::App* subcommand() const { return m_command; }
    int run() const;
    // The record the options stand for, refused (CliFailure) as run() refuses
    // it; nothing is written.
    Checked<CameraSettings> prepare() const;

private:
    CLI::App* m_command = nullptr;
    std::vector<CLI::Option*> m_settingOptions; // everything --defaults refuses
    std::string m_out;
    std::string m_from;
    std::string m_clock;
    bool m_defaults = false;
    SessionOptions m_session;
    std::array<std::string, kCameraListCount> m_lists;
    std::string m_serialText;
    std::string m_timeLapsePeriod;
    std::string m_timer1Start;
    std::string m_timer1Stop;
    std::string m_timer2Start;
    std::string m_timer2Stop;
};

} // namespace kestra::cli
