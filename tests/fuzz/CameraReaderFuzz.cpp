// SPDX-License-Identifier: Apache-2.0
#include "FuzzInvariants.h"

#include "formats/camera/CameraFileReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestra;
    const CameraLoaded contents =
        ParseCameraFile(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    fuzz::Require(!contents.defaultParameters || contents.findings.empty(), "findings on a default-parameters file");
    for (const SettingsFinding& finding : contents.findings)
        fuzz::Require(!finding.message().isEmpty(), "a finding without a message");
    return 0;
}
