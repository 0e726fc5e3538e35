// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/LanguageNames.h"
#include "common/SaveDecision.h"
#include "common/Session.h"
#include "common/TextTable.h"
#include "formats/shared/FieldRows.h"
#include "formats/shared/RecordRefusal.h"
#include "formats/shared/SettingsValues.h"

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace kestra {

// A file's settings given as words by key: the command line's option values,
// or a profile section's values. Each format's XWords.h turns them into its
// record through its rows and its window's save step, the same code for both
// doors; and says a record back in the same words.

// One key and its word. `number`: the word is a whole number and a profile
// writes it as a JSON number (pictures per day, an operator by its index).
struct SettingWord {
    QString key;
    QString word;
    bool number = false;
};

// The words of one file, in the order they were added.
class SettingWords {
public:
    void add(const QString& key, const QString& word, bool number = false);
    void add(const char* key, const QString& word, bool number = false);
    void addNumber(const char* key, int value) { add(key, QString::number(value), true); }
    // The word given for `key`, or null.
    const QString* find(const char* key) const;
    bool has(const char* key) const { return find(key) != nullptr; }

    bool empty() const { return m_words.empty(); }
    std::vector<SettingWord>::const_iterator begin() const { return m_words.begin(); }
    std::vector<SettingWord>::const_iterator end() const { return m_words.end(); }

private:
    std::vector<SettingWord> m_words;
};

// How a door names a key in its refusals: the command line by its option
// ("--mode", "--lang"), a profile by the key in its section ("mms.mode") or,
// for the language and the TV mode, the whole card's ("language").
class KeySpelling {
public:
    static KeySpelling CommandLine();
    static KeySpelling Section(const QString& section);

    QString operator()(const char* key) const;
    QString session(const char* key) const;
    bool commandLine() const { return m_commandLine; }

private:
    QString m_prefix;
    bool m_commandLine = false;
};

// A word that names no value of its key: the refusal in full, the key spelt
// as the door spells it, and the record field it concerns. Thrown by the word
// readers below and caught by each format's XWords, which turns it into the
// save decision's refusal.
struct WordRefusal {
    QString message;
    QString field;
};

// The tool's own text of a refusal: Chinese when `chinese`, English otherwise.
QString RefusalWords(bool chinese, const char* english, const char* chineseText);

// The spelling two words are compared in: lower case, no blanks, no leading
// zeros, and the units of time reduced to "s", "min" and "h".
QString LooseWord(const QString& word);

// The numbers alone a list takes: where its entries are amounts ("10 Sec",
// "02 Photo", "5MP"), each entry in the unit of the first, by its number as
// LooseWord writes it ("10", "2", "1.3"); `example` is the first such entry.
// A list of no amounts (modes, switches) has none.
struct BareNumbers {
    struct Value {
        QString number;
        int position;
    };
    QString unit;
    QString example;
    std::vector<Value> values;
};
BareNumbers BareNumbersOf(const QStringList& entries);

// What a number alone names in a list with these entries, for a help line:
// "or the number alone (1 for "1 Sec")" or "or the list position".
QString BareNumberHelp(const QStringList& entries);

// The position of the entry `word` names in a list: as the list shows it in
// any of `entrySets` (the same list in several languages, position for
// position, English first), in a looser spelling ("video" for "Video", "30s"
// for "30 Sec", "2 photo" for "02 Photo"), or by a number alone: in a list of
// amounts the entry that shows the number in the unit of the first ("10" is
// "10 Sec", "30" is "30 Sec" and never "30 Min"), in any other list the
// position itself, the number a file stores. Anything else is refused naming
// `key` (as spelt) and the accepted words, `accepted` standing in for them
// when the list is too long to print.
int ListPosition(const QString& key, const QString& word, const std::vector<QStringList>& entrySets, bool chinese,
                 const QString& accepted = {}, const QString& field = {});

// A whole number from `low` to `high`, or the refusal naming `key`.
int WholeNumber(const QString& key, const QString& word, int low, int high, bool chinese, const QString& field = {});

// A typed text in code page 936, as the windows write it; a character the
// code page cannot hold is refused naming `key`.
QByteArray TextBytes(const QString& key, const QString& word, bool chinese, const QString& field = {});

// An index of a catalogue of `count` entries, by a name `names(i)` gives
// (case and blanks aside) or by the index; refused naming `key`, what was
// looked for (`what`) and the command that lists the names.
int CatalogueIndex(const QString& key, const QString& word, int count, const QString& what,
                   const std::function<QStringList(int)>& names, const QString& listCommand, bool chinese,
                   const QString& field = {});

// The files with a preset mode (mms, gprs): the mode list's position 0 is the
// preset mode, 1 the custom mode. `presetWord` names the preset mode
// ("preset", "auto"); `presetWrites` says what it writes in place of the
// custom mode's texts.
struct PresetModeWords {
    const char* presetWord;
    ChineseEnglishText presetWrites;
};

// Whether a mode word names the preset mode: the mode list's words in any of
// `entrySets`, its position, or the plain words "preset" or "auto" and
// "custom".
bool PresetModeOf(const QString& key, const QString& word, const std::vector<QStringList>& entrySets, bool chinese,
                  const QString& field);
// A custom mode's text given in the preset mode; `modeKey` is the mode's key.
WordRefusal CustomTextInPresetMode(const QString& key, const QString& modeKey, const PresetModeWords& mode,
                                   bool chinese, const QString& field);
// A country or operator given in the custom mode.
WordRefusal CatalogueInCustomMode(const QString& countryKey, const QString& operatorKey, const QString& modeKey,
                                  const PresetModeWords& mode, bool chinese, const QString& field);
// The preset mode in a country without operators.
WordRefusal CountryWithoutOperator(const QString& countryKey, const QString& country, bool chinese,
                                   const QString& field);

// An operator by its name (as `name` gives each slot), or by its index when an
// earlier operator of the country has the same name.
void AddOperatorWord(SettingWords& words, const char* key, const std::function<QString(int)>& name, int slot);

// The entry sets a session's words are looked up in: English, the interface
// language and the language of the file, each once.
template <typename Entries> std::vector<QStringList> SessionEntrySets(const Session& session, Entries entries)
{
    std::vector<int> languages{kLanguageEnglish};
    for (int language : {session.languageIndex, session.languageCode}) {
        if (std::find(languages.begin(), languages.end(), language) == languages.end())
            languages.push_back(language);
    }
    std::vector<QStringList> sets;
    sets.reserve(languages.size());
    for (int language : languages)
        sets.push_back(entries(language));
    return sets;
}

// How a door of words names a record field in a refusal: by the key
// `keyOfField` gives it, as the door spells it; a field no key sets is left
// to the window's words.
template <typename KeyOfField> FieldNaming NamingByKey(const KeySpelling& spelling, KeyOfField keyOfField)
{
    return [spelling, keyOfField](const QString& field) {
        const char* key = keyOfField(field);
        return key != nullptr ? spelling(key) : QString();
    };
}

// The decision of a save step taken on words: its refusal of a field the
// words give by a key names that key, as the door spells it. A refusal that
// names it already (a finding, named through NamingByKey) stays as it is; the
// window's own words come after the key.
template <typename Record, typename KeyOfField>
SaveDecision<Record> NamingTheKey(SaveDecision<Record> decision, const KeySpelling& spelling, KeyOfField keyOfField)
{
    if (decision.ok())
        return decision;
    if (const char* key = keyOfField(decision.field)) {
        const QString spelt = spelling(key);
        const QString& refusal = *decision.refusal;
        if (refusal.startsWith(spelt) && (refusal.size() == spelt.size() || refusal.at(spelt.size()) == u' '))
            return decision;
        return SaveDecision<Record>::Refused(QStringLiteral("%1: %2").arg(spelt, refusal), decision.field);
    }
    return decision;
}

// The words the three messaging files share, over `shown`: the typed texts,
// the pictures per day and the SMS control interval (its list in a language:
// `smsControlEntries`). A word that is not accepted throws its WordRefusal.
template <typename Record, std::size_t TextCount>
void ReadMessagingWords(Record& shown, const SettingWords& words, const Session& session, const KeySpelling& spelling,
                        const std::array<TextField<Record>, TextCount>& texts, const NumberField<Record>& pictures,
                        const NumberField<Record>& smsControl, QStringList (*smsControlEntries)(int))
{
    const bool chinese = session.chineseMessages();
    for (const TextField<Record>& field : texts) {
        if (const QString* word = words.find(field.key))
            shown.*field.member = TextBytes(spelling(field.key), *word, chinese, QLatin1String(field.name));
    }
    if (const QString* word = words.find(pictures.key))
        shown.*pictures.member = WholeNumber(spelling(pictures.key), *word, pictures.low, pictures.high, chinese,
                                             QLatin1String(pictures.name));
    if (const QString* word = words.find(smsControl.key))
        shown.*smsControl.member =
            ListPosition(spelling(smsControl.key), *word, SessionEntrySets(session, smsControlEntries), chinese, {},
                         QLatin1String(smsControl.name));
}

// The key of a record field a refusal names, for a door to name it: a typed
// text's or a number's own key; none for what the session sets.
template <typename TextFields, typename NumberFields>
const char* KeyOfField(const TextFields& texts, const NumberFields& numbers, const QString& field)
{
    if (const auto* text = FindField(texts, field))
        return text->key;
    const auto* number = FindField(numbers, field);
    return number != nullptr && !number->session ? number->key : nullptr;
}

} // namespace kestra
