// SPDX-License-Identifier: Apache-2.0
#include "FuzzInvariants.h"

#include "filecheck/SettingsFileCheck.h"

#include <cstddef>
#include <cstdint>

// The first byte picks the kind of file (camera, mms, gprs, sms); the rest is
// the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestra;
    if (size == 0)
        return 0;
    const auto kind = static_cast<SettingsFileKind>(data[0] % 4);
    const QByteArrayView file(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const SettingsFileCheck check = CheckSettingsFile(kind, file);
    fuzz::Require(file.size() == SettingsFileSize(kind) || !check.clean(), "a file of the wrong size checks clean");
    for (const SettingsFinding& finding : check.findings) {
        fuzz::Require(!finding.message().isEmpty() && !finding.message(true).isEmpty(), "a finding without a message");
        fuzz::Require(finding.offset < SettingsFileSize(kind), "a finding past the end of the file");
    }
    return 0;
}
