// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/DialogTemplate.h"
#include "ui/DialogUnits.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace kestra::ui {

// Everything the measurements depend on that can change between runs without
// the program changing: the Qt version, the platform and screen, the style and
// its sheet, the default font, the locale, and the font configuration's files
// and folders (their times and sizes, not their contents: reading them is what
// the copy saves). A copy made under another environment is not used.
QJsonObject CurrentFontEnvironment();

// What the template fonts measure on the set-up the tool is made on (Debian
// with the Noto CJK and DejaVu fonts, the tool's skin, 96 dots per inch):
// the first guess of a run that has no copy yet (FontMetricsCache::firstGuess).
// Nothing on Windows, whose font system answers at once and whose fonts are
// others.
std::optional<TemplateFontMetrics> ReferenceFontMetrics(DialogFont font);

// The copy of the template fonts' measurements and of the windows' text fits
// before they are first shown, kept in a small file of its own in the user's
// cache folder. It is only ever a hint: a missing, damaged,
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

    using FirstGuess = std::function<std::optional<TemplateFontMetrics>(DialogFont)>;

    explicit FontMetricsCache(QString filePath, std::function<QJsonObject()> environment = &CurrentFontEnvironment,
                              FirstGuess firstGuess = &ReferenceFontMetrics);

    // "<cache folder>/template-fonts.json" (QStandardPaths' cache location).
    static QString DefaultFilePath();

    const QString& filePath() const { return m_filePath; }

    // The measurements of `font`, from this run or from the file (read once,
    // on the first call); nothing when neither has a usable copy.
    std::optional<Entry> find(DialogFont font);
    // What a window takes when find() has nothing (a first run, a copy
    // thrown away): a guess placed without asking the font system, so that
    // the first window is on screen as soon as a warm run's. The window
    // measures for real after its first paint, corrects itself once if the
    // guess was wrong and keeps what it measured (confirm). Nothing: measure
    // before showing.
    std::optional<TemplateFontMetrics> firstGuess(DialogFont font) const
    {
        return m_firstGuess ? m_firstGuess(font) : std::nullopt;
    }
    // Records measurements taken in this run. The file is rewritten when they
    // differ from what it holds (or it held nothing usable); a list with an
    // edit field not measured (0) leaves the file's measurement of one alone.
    // A failed write is reported on the debug output (once a run) and costs
    // only the next start-up's time.
    void confirm(DialogFont font, const TemplateFontMetrics& metrics);

    // How a window's texts were fitted to their controls (TextRoom), by a key
    // made of everything the fit read.
    struct TextFit {
        QJsonArray outcome;
        bool confirmed = false; // measured in this run
    };
    // The latest kMaxTextFits fits used are kept.
    static constexpr std::size_t kMaxTextFits = 48;
    std::optional<TextFit> findTextFit(const QString& key);
    // Records a fit measured in this run. The file takes it at the next
    // write: windows are fitted before they are shown, and the file is
    // written once they have been (writeIfChanged).
    void keepTextFit(const QString& key, const QJsonArray& outcome);
    // Rewrites the file if a fit kept since it was read or written is new or
    // differs from the one it holds.
    void writeIfChanged();

private:
    struct KeptFit {
        QString key;
        TextFit fit;
    };
    void load();
    void loadTextFits(const QJsonValue& value);
    bool save();

    QString m_filePath;
    std::function<QJsonObject()> m_environmentOf;
    FirstGuess m_firstGuess;
    QJsonObject m_environment;
    bool m_loaded = false;
    std::map<DialogFont, Entry> m_entries;              // what this run uses
    std::map<DialogFont, TemplateFontMetrics> m_stored; // what the file holds
    std::vector<KeptFit> m_fits;                        // the least recently used first
    bool m_fitsChanged = false;
    bool m_writeFailed = false; // reported once a run
};

// The copy the windows use; none (the default) makes every window measure its
// font before it is shown. The program sets one up at start-up; the cache must
// outlive every window built while it is in use.
void UseFontMetricsCache(FontMetricsCache* cache);
FontMetricsCache* ActiveFontMetricsCache();

} // namespace kestra::ui
