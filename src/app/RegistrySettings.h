// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>

#include <cstdint>

namespace kestra {

namespace ui {
class RegistryStore;
}

// The tool's four registry values. Each accessor opens the key afresh, reads or
// writes one value and shows nothing: a registry that fails only costs the
// stored choice, never the run. They return nonzero on success and 0 on
// failure; the reads' exact outcomes matter to start-up, which decides from
// them what to write back.
//
// Values are REG_DWORDs of which only the low 16 bits count: written as the
// 16-bit value zero-extended, read back truncated to 16 bits.

// The language code a system with this default language ID starts in:
// 1 on 0x0804 (Chinese, PRC), 3 on 0x1407 (German, Liechtenstein), else 2.
int DefaultLanguageCode(std::uint16_t systemLanguageId);

// Key missing: creates it and returns 0 with `out` untouched (whether the
// creation worked or not). Value missing: `out` = the system default, returns 1
// and stores nothing. Otherwise `out` = the stored value, returns 1.
int ReadLanguageSetting(ui::RegistryStore& store, std::uint16_t systemLanguageId, short& out);
int WriteLanguageSetting(ui::RegistryStore& store, unsigned short value);

// "ChineseTexts": 1 when the language menu or --lang chose Chinese, whose
// texts are then shown on any system (a stored code 1 alone shows them only on
// a Chinese system). Missing or unreadable reads as false.
bool ReadChineseTextsSetting(ui::RegistryStore& store);
int WriteChineseTextsSetting(ui::RegistryStore& store, bool chineseTexts);

// Key missing: 0, `out` untouched. Value missing: `out` = 1, returns 0.
int ReadModelSetting(ui::RegistryStore& store, short& out);
int WriteModelSetting(ui::RegistryStore& store, unsigned short value);

// As the model, with 0 for a missing value.
int ReadTvModeSetting(ui::RegistryStore& store, short& out);
int WriteTvModeSetting(ui::RegistryStore& store, unsigned short value);

// The maker's name. Nothing reads it back; start-up only makes sure it is there.
inline constexpr const char* kCompanyName = "Kestra Setup Project";
// Its data: the name followed by zero bytes up to ui::kCompanyDataSize bytes.
QByteArray CompanySettingData();

// 1 when "Company" is present and fits the 260-byte buffer it is read into.
int ReadCompanySetting(ui::RegistryStore& store);
int WriteCompanySetting(ui::RegistryStore& store);

} // namespace kestra
