// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <optional>

// What every reader promises a window, whatever the bytes: a failed promise
// aborts, so the fuzzer reports it like a crash.
namespace kestra::fuzz {

inline void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

// No text reaches past the 57 bytes before a block's length byte.
inline void RequireText(const QByteArray& text)
{
    Require(text.size() <= 57, "a text longer than the block's text area");
}

inline void RequireIndex(const std::optional<int>& index, int count, const char* what)
{
    Require(!index || (*index >= 0 && *index < count), what);
}

} // namespace kestra::fuzz
