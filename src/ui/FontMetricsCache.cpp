// SPDX-License-Identifier: Apache-2.0
#include "ui/FontMetricsCache.h"

#include "ui/JsonFile.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QStyle>
#include <QtDebug>

#include <algorithm>
#include <array>
#include <utility>

namespace kestra::ui {

namespace {

// Raised when what is measured, or how, changes: older copies then no longer match.
constexpr int kFormat = 1;
// A copy is a few kilobytes; anything much larger is not one of ours.
constexpr qint64 kMaxFileSize = 64 * 1024;
// What a rewrite may take: the oldest text fits go first.
constexpr qint64 kMaxWrittenSize = kMaxFileSize / 2;
// A fit's key is a hash in hexadecimal.
constexpr qsizetype kMaxKeySize = 64;
// Larger than any sane font's measurements, small enough to rule out garbage.
constexpr int kMaxMeasure = 1000;

// Why a global: every dialog built from a template measures its font, and
// the dialogs are made by the windows, which know nothing of the cache. The
// application object owns the cache and names it here for its lifetime
// (UseFontMetricsCache(nullptr) when it goes); GUI thread only.
FontMetricsCache* g_activeCache = nullptr;

QString fontKey(DialogFont font)
{
    switch (font) {
    case DialogFont::SimSun9:
        return QStringLiteral("SimSun9");
    case DialogFont::System9:
        return QStringLiteral("System9");
    }
    return QString();
}

QString stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return path + QStringLiteral(" -");
    return QStringLiteral("%1 %2 %3").arg(path).arg(info.lastModified().toMSecsSinceEpoch()).arg(info.size());
}

QString homeRelative(const char* variable, const QString& fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? QDir::homePath() + fallback : value;
}

// The files and folders whose change can change how a font resolves or
// measures: fontconfig's configuration and caches (a font installed or
// removed rewrites the cache folder), and the platform's font folders.
QJsonArray fontConfigurationStamps()
{
    const QString userConfig =
        homeRelative("XDG_CONFIG_HOME", QStringLiteral("/.config")) + QStringLiteral("/fontconfig");
    const QString userCache = homeRelative("XDG_CACHE_HOME", QStringLiteral("/.cache")) + QStringLiteral("/fontconfig");
    QStringList paths = {QStringLiteral("/etc/fonts/fonts.conf"),
                         QStringLiteral("/etc/fonts/local.conf"),
                         QStringLiteral("/etc/fonts/conf.d"),
                         QStringLiteral("/var/cache/fontconfig"),
                         userConfig,
                         userConfig + QStringLiteral("/fonts.conf"),
                         userCache};
    paths += QStandardPaths::standardLocations(QStandardPaths::FontsLocation);
    if (const QString file = qEnvironmentVariable("FONTCONFIG_FILE"); !file.isEmpty())
        paths += file;
    QJsonArray stamps;
    for (const QString& path : std::as_const(paths))
        stamps.append(stampOf(path));
    return stamps;
}

QJsonObject environmentVariables()
{
    QJsonObject values;
    for (const char* name : {"LANG", "LC_ALL", "LC_CTYPE", "FC_LANG", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT",
                             "QT_FONT_DPI", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
                             "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_STYLE_OVERRIDE", "QT_QPA_PLATFORMTHEME"}) {
        if (qEnvironmentVariableIsSet(name))
            values.insert(QString::fromLatin1(name), qEnvironmentVariable(name));
    }
    return values;
}

// The measurements by their names in the file.
std::array<std::pair<const char*, int*>, 5> namedMeasures(TemplateFontMetrics& metrics)
{
    return {{{"baseUnitX", &metrics.units.x},
             {"baseUnitY", &metrics.units.y},
             {"listFieldHeight", &metrics.listFieldHeight},
             {"editListFieldHeight", &metrics.editListFieldHeight},
             {"listItemHeight", &metrics.listItemHeight}}};
}

std::optional<TemplateFontMetrics> metricsFromJson(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue family = object.value(QStringLiteral("family"));
    if (!family.isString() || family.toString().size() > 200)
        return std::nullopt;
    TemplateFontMetrics metrics;
    metrics.family = family.toString();
    for (const auto& [name, field] : namedMeasures(metrics)) {
        const QJsonValue stored = object.value(QString::fromLatin1(name));
        // A zero base unit would collapse the window; a fraction or a huge
        // number is no measurement of ours.
        const double number = stored.toDouble(-1);
        const double least = field == &metrics.editListFieldHeight ? 0 : 1; // 0: not measured
        if (!stored.isDouble() || number < least || number > kMaxMeasure || number != static_cast<int>(number))
            return std::nullopt;
        *field = static_cast<int>(number);
    }
    return metrics;
}

QJsonObject metricsToJson(TemplateFontMetrics metrics)
{
    QJsonObject object{{QStringLiteral("family"), metrics.family}};
    for (const auto& [name, field] : namedMeasures(metrics))
        object.insert(QString::fromLatin1(name), *field);
    return object;
}

} // namespace

std::optional<TemplateFontMetrics> ReferenceFontMetrics(DialogFont font)
{
#ifdef Q_OS_WIN
    Q_UNUSED(font);
    return std::nullopt;
#else
    // Measured by the program itself (template-fonts.json of a first run);
    // FontMetricsCacheTest compares them with what this set-up measures.
    TemplateFontMetrics metrics;
    switch (font) {
    case DialogFont::SimSun9:
        metrics.family = QStringLiteral("Noto Sans CJK SC");
        metrics.units = {7, 17};
        metrics.listFieldHeight = 22;
        metrics.editListFieldHeight = 22;
        metrics.listItemHeight = 17;
        return metrics;
    case DialogFont::System9:
        metrics.units = {7, 14};
        metrics.listFieldHeight = 18;
        metrics.editListFieldHeight = 18;
        metrics.listItemHeight = 14;
        return metrics;
    }
    return std::nullopt;
#endif
}

QJsonObject CurrentFontEnvironment()
{
    QJsonObject environment;
    environment.insert(QStringLiteral("qt"), QString::fromLatin1(qVersion()));
    environment.insert(QStringLiteral("platform"), QGuiApplication::platformName());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        environment.insert(QStringLiteral("screen"), QStringLiteral("%1x%2 dpi, ratio %3")
                                                         .arg(screen->logicalDotsPerInchX())
                                                         .arg(screen->logicalDotsPerInchY())
                                                         .arg(screen->devicePixelRatio()));
    }
    // The lists' heights come from the style and the skin's sheet.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        const QStyle* style = QApplication::style();
        environment.insert(
            QStringLiteral("style"),
            QStringLiteral("%1 %2").arg(QString::fromLatin1(style->metaObject()->className()), style->name()));
        const QByteArray sheet = qApp->styleSheet().toUtf8();
        environment.insert(QStringLiteral("styleSheet"),
                           QString::fromLatin1(QCryptographicHash::hash(sheet, QCryptographicHash::Sha1).toHex()));
    }
    environment.insert(QStringLiteral("systemFont"), QFontDatabase::systemFont(QFontDatabase::GeneralFont).toString());
    environment.insert(QStringLiteral("applicationFont"), QGuiApplication::font().toString());
    environment.insert(QStringLiteral("locale"), QLocale::system().name());
    environment.insert(QStringLiteral("variables"), environmentVariables());
    environment.insert(QStringLiteral("fontFiles"), fontConfigurationStamps());
    return environment;
}

FontMetricsCache::FontMetricsCache(QString filePath, std::function<QJsonObject()> environment, FirstGuess firstGuess)
    : m_filePath(std::move(filePath)), m_environmentOf(std::move(environment)), m_firstGuess(std::move(firstGuess))
{
}

QString FontMetricsCache::DefaultFilePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/template-fonts.json");
}

std::optional<FontMetricsCache::Entry> FontMetricsCache::find(DialogFont font)
{
    load();
    const auto it = m_entries.find(font);
    if (it == m_entries.end())
        return std::nullopt;
    return it->second;
}

void FontMetricsCache::confirm(DialogFont font, const TemplateFontMetrics& metrics)
{
    load();
    m_entries[font] = {metrics, true};
    const auto stored = m_stored.find(font);
    if (stored != m_stored.end()) {
        // A window without an editable list does not measure one; the file
        // keeps the last measurement of one for as long as the rest agrees
        // (the window that uses it checks it).
        TemplateFontMetrics compared = metrics;
        if (compared.editListFieldHeight == 0)
            compared.editListFieldHeight = stored->second.editListFieldHeight;
        if (compared == stored->second)
            return;
    }
    m_stored[font] = metrics;
    save();
}

void FontMetricsCache::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_environment = m_environmentOf ? m_environmentOf() : QJsonObject();
    if (m_filePath.isEmpty())
        return;
    // No copy yet is the first run's normal case; an unreadable or damaged
    // one is replaced at the first measurement.
    const JsonFileContents contents = ReadJsonFile(m_filePath, kMaxFileSize);
    if (contents.state != JsonFileState::Valid)
        return;
    const QJsonObject& root = contents.root;
    if (root.value(QStringLiteral("format")).toInt(-1) != kFormat
        || root.value(QStringLiteral("environment")).toObject() != m_environment)
        return;
    const QJsonObject fonts = root.value(QStringLiteral("fonts")).toObject();
    for (DialogFont font : {DialogFont::SimSun9, DialogFont::System9}) {
        std::optional<TemplateFontMetrics> metrics = metricsFromJson(fonts.value(fontKey(font)));
        // The default font's template never names a family of its own.
        if (!metrics || (font == DialogFont::System9 && !metrics->family.isEmpty()))
            continue;
        m_stored[font] = *metrics;
        m_entries[font] = {*metrics, false};
    }
    loadTextFits(root.value(QStringLiteral("textFits")));
}

// [[key, outcome], ...], the least recently used first, each outcome a JSON
// text of its own (the file is written indented, one number a line). The
// outcomes are checked where they are used; a list that is not one of ours
// is dropped whole.
void FontMetricsCache::loadTextFits(const QJsonValue& value)
{
    const QJsonArray fits = value.toArray();
    if (static_cast<std::size_t>(fits.size()) > kMaxTextFits)
        return;
    std::vector<KeptFit> kept;
    for (const QJsonValue fit : fits) {
        const QJsonArray pair = fit.toArray();
        if (pair.size() != 2 || !pair[0].isString() || pair[0].toString().size() > kMaxKeySize)
            return;
        const QJsonDocument outcome = QJsonDocument::fromJson(pair[1].toString().toUtf8());
        if (!outcome.isArray())
            return;
        kept.push_back({pair[0].toString(), {outcome.array(), false}});
    }
    m_fits = std::move(kept);
}

std::optional<FontMetricsCache::TextFit> FontMetricsCache::findTextFit(const QString& key)
{
    load();
    const auto it = std::find_if(m_fits.begin(), m_fits.end(), [&](const KeptFit& kept) { return kept.key == key; });
    if (it == m_fits.end())
        return std::nullopt;
    std::rotate(it, it + 1, m_fits.end()); // the most recently used last
    return m_fits.back().fit;
}

void FontMetricsCache::keepTextFit(const QString& key, const QJsonArray& outcome)
{
    load();
    const auto it = std::find_if(m_fits.begin(), m_fits.end(), [&](const KeptFit& kept) { return kept.key == key; });
    if (it == m_fits.end() || it->fit.outcome != outcome)
        m_fitsChanged = true;
    if (it != m_fits.end())
        m_fits.erase(it);
    m_fits.push_back({key, {outcome, true}});
    if (m_fits.size() > kMaxTextFits)
        m_fits.erase(m_fits.begin(), m_fits.end() - static_cast<std::ptrdiff_t>(kMaxTextFits));
}

void FontMetricsCache::writeIfChanged()
{
    if (m_fitsChanged)
        save();
}

bool FontMetricsCache::save()
{
    if (m_filePath.isEmpty())
        return false;
    QJsonObject fonts;
    for (const auto& [font, metrics] : m_stored)
        fonts.insert(fontKey(font), metricsToJson(metrics));
    QJsonObject root = {{QStringLiteral("format"), kFormat},
                        {QStringLiteral("environment"), m_environment},
                        {QStringLiteral("fonts"), fonts}};
    // A file too large to be read back would cost every start-up its fits.
    for (;;) {
        QJsonArray fits;
        for (const KeptFit& kept : m_fits) {
            const QByteArray outcome = QJsonDocument(kept.fit.outcome).toJson(QJsonDocument::Compact);
            fits.append(QJsonArray{kept.key, QString::fromUtf8(outcome)});
        }
        root.insert(QStringLiteral("textFits"), fits);
        if (m_fits.empty() || QJsonDocument(root).toJson(QJsonDocument::Indented).size() <= kMaxWrittenSize)
            break;
        m_fits.erase(m_fits.begin());
    }
    m_fitsChanged = false;
    QString why;
    if (!WriteJsonFile(m_filePath, root, &why)) {
        if (std::exchange(m_writeFailed, true))
            return false;
        qWarning("The template font measurements cannot be kept in %s: %s",
                 qUtf8Printable(QDir::toNativeSeparators(m_filePath)), qUtf8Printable(why));
        return false;
    }
    return true;
}

void UseFontMetricsCache(FontMetricsCache* cache)
{
    g_activeCache = cache;
}

FontMetricsCache* ActiveFontMetricsCache()
{
    return g_activeCache;
}

} // namespace kestra::ui
