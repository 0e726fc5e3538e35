// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "filecheck/SettingsFileCheck.h"

#include <QString>

#include <vector>

namespace kestra::cli {

// One value of a settings file in words: the record field it comes from, a
// label a person reads ("PIR interval") and the value ("30 s", "Deutschland").
struct ValueLine {
    QString field;
    QString label;
    QString text;
};

// The values of a checked file in words, in the order the file holds them.
// Entry texts are those the windows show in `languageIndex`; a stored value no
// entry has reads "invalid (N)". Passwords show as asterisks unless
// `showSecrets` is set.
std::vector<ValueLine> DescribeSettingsFile(const SettingsFileCheck& check, int languageIndex, bool showSecrets);

} // namespace kestra::cli
