// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "storage/SettingsFinding.h"

#include <QString>

#include <functional>

namespace kestra {

// How a door names a record field in a refusal: the command line by the
// option that set it ("--sender-password"), a profile by its key as the
// profile writes it ("gprs.sender-password"), a window by the label of its
// control. An empty name leaves the field to the next naming in line.
using FieldNaming = std::function<QString(const QString& field)>;

// The refusal a record check gives for what the camera could not hold: the
// first finding, named by its field (a user fixes a field, not a file offset).
// The message names the field as `naming` does, else as `fallback` does; the
// decision's field stays the record field, so a window can find its control.
template <typename Record>
SaveDecision<Record> RefusalOf(const SettingsFindings& findings, bool chinese, const FieldNaming& naming = {},
                               const FieldNaming& fallback = {})
{
    SettingsFinding finding = findings.front();
    finding.offset = -1;
    const QString field = finding.field;
    for (const FieldNaming* namer : {&naming, &fallback}) {
        if (!*namer)
            continue;
        if (QString name = (*namer)(field); !name.isEmpty()) {
            finding.field = std::move(name);
            break;
        }
    }
    return SaveDecision<Record>::Refused(finding.message(chinese), field);
}

} // namespace kestra
