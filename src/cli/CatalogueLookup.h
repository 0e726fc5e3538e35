// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kestra::cli {

// Countries and operators of the two catalogues by what the user typed: the
// name as either country list shows it (case and blanks aside) or the index
// stored in the file. A name that fits nothing is refused with a pointer to
// `kestra-setup catalogue`.
int FindMmsCountry(const QString& option, const QString& value);
int FindMmsOperator(const QString& option, int country, const QString& value);
int FindGprsCountry(const QString& option, const QString& value);
int FindGprsOperator(const QString& option, int country, const QString& value);

// The operator name a window shows in `languageIndex` (China's two operators
// have Chinese names in the Chinese interface).
QString MmsOperatorShownName(int country, int slot, int languageIndex);
QString GprsOperatorShownName(int country, int slot, int languageIndex);

} // namespace kestra::cli
