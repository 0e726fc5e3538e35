// SPDX-License-Identifier: Apache-2.0
#pragma once

// A window text the camera tool can show: not blank, and within code page 936
// (header-only, for the format tests that link no widget support).

#include "storage/Cp936.h"

#include <QString>

#include <gtest/gtest.h>

namespace kestra::testdata {

inline void ExpectShowable(const QString& text, const char* what, int language)
{
    EXPECT_FALSE(text.trimmed().isEmpty()) << what << " language " << language;
    EXPECT_TRUE(EncodeCp936(text).has_value()) << text.toStdString();
}

} // namespace kestra::testdata
