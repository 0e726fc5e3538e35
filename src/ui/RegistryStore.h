#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace kestra::ui {

// The key the tool keeps its choices under (below HKEY_LOCAL_MACHINE on
// Windows; elsewhere the same path inside a per-user store file).
inline constexpr const char* kRegistryKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Kestra.exe";

// One registry key with DWORD and string values. Every operation opens the key
// afresh, as the tool's accessors do; none of them shows anything.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // The key opens (it exists and can be read and written).
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

} // namespace kestra::ui
