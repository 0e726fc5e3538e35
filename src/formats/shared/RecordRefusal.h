// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "storage/SettingsFinding.h"

#include <QString>

#include <array>
#include <cstddef>
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

// The record check's decision on `record` (`check`, the format's CheckXRecord),
// its refusal naming the field as `naming` does, else as `fallback` does. The
// findings (`findingsOf`, the format's CheckXSettings) are looked at again
// only for a refusal that is to be named.
template <typename Record, typename Check, typename Findings>
SaveDecision<Record> CheckNamingFields(const Record& record, bool chinese, Check check, Findings findingsOf,
                                       const FieldNaming& naming, const FieldNaming& fallback = {})
{
    SaveDecision<Record> decision = check(record, chinese);
    if (decision.ok() || (!naming && !fallback))
        return decision;
    return RefusalOf<Record>(findingsOf(record), chinese, naming, fallback);
}

// A window's label of a record field it shows: the row's name and the label.
template <typename Label> struct FieldLabel {
    const char* field;
    Label label;
};

// The text `text` gives the label of `field` in `labels`; empty for a field
// the window shows no label for.
template <typename Label, std::size_t N, typename Text>
QString LabelOfField(const std::array<FieldLabel<Label>, N>& labels, const QString& field, Text text)
{
    for (const FieldLabel<Label>& entry : labels) {
        if (field == QLatin1String(entry.field))
            return text(entry.label);
    }
    return {};
}

} // namespace kestra
