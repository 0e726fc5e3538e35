// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/DialogTemplate.h"
#include "ui/DialogUnits.h"

#include <QJsonObject>
#include <QString>

#include <functional>
#include <map>
#include <optional>

namespace kestra::ui {

// Everything the measurements depend on that can change between runs without
// the program changing: the Qt version, the platform and screen, the style and
// its sheet, the default font, the locale, and the font configuration's files
// and folders (their times and sizes, not their contents: reading them is what
// the copy saves). A copy made under another environment is not used.
QJsonObject CurrentFontEnvironment();

// The copy of the template fonts' measurements, kept in a small file of its
// own in the user's cache folder. It is only ever a hint: a missing, damaged,
// foreign or stale file makes the windows measure as they would without it,
// and the file is then rewritten.
class FontMetricsCache {
public:
    struct Entry {
        TemplateFontMetrics metrics;
        // Measured in this run (or a copy this run's measurements agreed
        // with): needs no check after the window is shown.
        bool confirmed = false;
    };

    explicit FontMetricsCache(QString filePath,
                              std::function<QJsonObject()> environment = &CurrentFontEnvironment);

    // "<cache folder>/template-fonts.json" (QStandardPaths' cache location).
    static QString DefaultFilePath();

    const QString& filePath() const { return m_filePath; }

    // The measurements of `font`, from this run or from the file (read once,
    // on the first call); nothing when neither has a usable copy.
    std::optional<Entry> find(DialogFont font);
    // Records measurements taken in this run. The file is rewritten when they
    // differ from what it holds (or it held nothing usable); a list with an
    // edit field not measured (0) leaves the file's measurement of one alone.
    // A failed write is reported on the debug output and costs only the next
    // start-up's time.
    void confirm(DialogFont font, const TemplateFontMetrics& metrics);

private:
    void load();
    bool save();

    QString m_filePath;
    std::function<QJsonObject()> m_environmentOf;
    QJsonObject m_environment;
    bool m_loaded = false;
    std::map<DialogFont, Entry> m_entries;  // what this run uses
    std::map<DialogFont, TemplateFontMetrics> m_stored; // what the file holds
};

// The copy the windows use; none (the default) makes every window measure its
// font before it is shown. The program sets one up at start-up; the cache must
// outlive every window built while it is in use.
void UseFontMetricsCache(FontMetricsCache* cache);
FontMetricsCache* ActiveFontMetricsCache();

} // namespace kestra::ui
