// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CliSupport.h"
#include "formats/camera/CameraSettings.h"

#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace kestra::cli {

// kestra-setup-cli camera --out DIR [options]: camera.dat from the Camera
// window's opening state (or from --from FILE) with the options applied, or the
// default-parameters file with --defaults. The options are the keys of
// kCameraFields, read as a profile's camera section is (CameraWords.h).
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
    std::vector<CLI::Option*> m_settingOptions; // everything --defaults refuses but the keys
    std::string m_out;
    std::string m_from;
    std::string m_clock;
    bool m_defaults = false;
    SessionOptions m_session;
    KeyOptions m_keys;
};

} // namespace kestra::cli
