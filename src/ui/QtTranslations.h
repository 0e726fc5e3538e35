// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kestra::ui {

// Qt's own texts (file dialog, message-box buttons) in the interface language
// `languageIndex` where Qt has a translation for it, in English otherwise.
// Replaces the translation of the previous call; a QCoreApplication must
// exist. Returns whether a translation is in use.
bool UseQtTranslations(int languageIndex);

// Where Qt's translations (qtbase_*.qm) are looked for: the folder
// "translations" beside the program on Windows, Qt's own folder elsewhere.
QString QtTranslationsFolder();

} // namespace kestra::ui
