// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace kestra::ui {

// The key the tool keeps its choices under (below HKEY_LOCAL_MACHINE on
// Windows; elsewhere the same path inside a per-user store file).
inline constexpr const char* kRegistryKeyPath = R"(Software\Microsoft\Windows\CurrentVersion\App Paths\Kestra.exe)";

// The values the tool keeps. The three numbers are REG_DWORD values of which
// only the low 16 bits count: written zero-extended from 16 bits, read back as
// the low word. "Company" is a REG_SZ always written with 260 data bytes (the
// text, then zero bytes).
inline constexpr const char* kLanguageValue = "language";
inline constexpr const char* kModelValue = "model";
inline constexpr const char* kTvModeValue = "TvMode";
inline constexpr const char* kCompanyValue = "Company";
inline constexpr int kCompanyDataSize = 260;

inline std::uint32_t DwordFromWord(std::uint16_t value)
{
    return value;
}
inline std::uint16_t LowWord(std::uint32_t value)
{
    return static_cast<std::uint16_t>(value & 0xFFFFU);
}

// One registry key with DWORD and string values. Every operation opens the key
// afresh, as the tool's accessors do; none of them shows anything.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // The key opens. On Windows that takes the access the tool always asked
    // for (read and write), so without rights it does not open; the per-user
    // file elsewhere opens when it can be read, so stored choices survive a
    // read-only home and only the writes fail.
    virtual bool openKey() = 0;
    // Creates the key; true when it exists afterwards.
    virtual bool createKey() = 0;
    // A REG_DWORD value; nothing when the key or the value is missing or the
    // value has another type.
    virtual std::optional<std::uint32_t> readDword(const QString& name) = 0;
    // Writes a REG_DWORD value into an existing key (never creates the key).
    virtual bool writeDword(const QString& name, std::uint32_t value) = 0;
    // A REG_SZ value's data as stored (including any padding zeros).
    virtual std::optional<QByteArray> readString(const QString& name) = 0;
    // Writes a REG_SZ value with exactly these data bytes into an existing key.
    virtual bool writeString(const QString& name, const QByteArray& data) = 0;
};

// The store of this platform: the registry on Windows, elsewhere the per-user
// file of FileRegistryStore::DefaultFilePath().
std::unique_ptr<RegistryStore> CreatePlatformRegistryStore();

} // namespace kestra::ui
