// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "storage/SettingsFinding.h"

namespace kestra {

// The refusal a record check gives for what the camera could not hold: the
// first finding, named by its field (a user fixes a field, not a file offset).
template <typename Record> SaveDecision<Record> RefusalOf(const SettingsFindings& findings, bool chinese)
{
    SettingsFinding finding = findings.front();
    finding.offset = -1;
    return SaveDecision<Record>::Refused(finding.message(chinese), finding.field);
}

} // namespace kestra
