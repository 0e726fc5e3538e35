// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace kestra::cli {

// The position of the entry `value` names in an option list. The user may give
// the entry as the list shows it in any of `entrySets` (the same list in the
// English and in the chosen interface language, position for position), in a
// looser spelling ("video" for "Video", "30s" and "30 sec" for "30 Sec",
// "5min" for "5 Min", "2 photo" for "02 Photo"), or as the position itself,
// the number the window stores. Anything else is refused with the accepted
// words, `hint` standing in for them when the list is too long to print.
int MatchListWord(const QString& option, const QString& value, const std::vector<QStringList>& entrySets,
                  const QString& hint = {});

// The spelling two words are compared in: lower case, no blanks, no leading
// zeros, and the units of time reduced to "s", "min" and "h".
QString LooseWord(const QString& word);

} // namespace kestra::cli
