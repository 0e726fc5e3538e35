// SPDX-License-Identifier: Apache-2.0
#include "ui/TextRoom.h"

#include "ui/FontMetricsCache.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDataStream>
#include <QFontMetrics>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <optional>
#include <utility>

namespace kestra::ui {

namespace {

constexpr int kGap = 3;        // pixels left free before the next control
constexpr int kFrameInset = 4; // pixels left free inside a frame or the window's edge
// Narrower widths of the same family, tried in turn (per cent).
constexpr int kStretches[] = {100, 94, 88, 82, 76, 70};
constexpr int kUnbounded = 100000;

int LabelFlags(const QLabel* label)
{
    return static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
}

// The room a label's text takes at `width`: its widest line and its lines'
// height in the label's own font (a glyph from a fallback font, Japanese in a
// Latin font, measures taller than it draws).
QSize LabelNeeds(const QLabel* label, const QFont& font, int width)
{
    const QFontMetrics metrics(font);
    const QRect oneLine = metrics.boundingRect(QRect(0, 0, kUnbounded, kUnbounded), 0, label->text());
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, width, kUnbounded), LabelFlags(label), label->text());
    const int lineHeight = std::max(1, oneLine.height());
    const int lines = std::max(1, (wrapped.height() + lineHeight / 2) / lineHeight);
    return {wrapped.width(), lines * metrics.height() + (lines - 1) * std::max(0, metrics.leading())};
}

// The width a one-line control needs for its text at `font`: the text and
// the frame, padding and arrow the style draws around it. 0: no text.
int OneLineNeeds(QWidget* control, const QFont& font)
{
    const QFontMetrics metrics(font);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return button->width() - contents.width() + metrics.size(Qt::TextShowMnemonic, button->text()).width();
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        if (group->title().isEmpty())
            return 0;
        const QRect title = GroupTitleRect(group);
        return 2 * std::max(0, title.left()) + metrics.size(Qt::TextShowMnemonic, group->title()).width();
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
        if (widest == 0)
            return 0;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        // The entry keeps the style's own margin before the arrow, as wide
        // as the one before the entry: text up to the arrow reads as cut.
        return combo->width() - field.width() + std::max(0, field.left()) + widest;
    }
    return 0;
}

bool VerticallyOverlap(const QRect& a, const QRect& b)
{
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

bool HorizontallyOverlap(const QRect& a, const QRect& b)
{
    return a.left() <= b.right() && b.left() <= a.right();
}

// How far `control` at `rect` may reach to the right and down (the first
// pixel it may not cover) before it meets another control or the end of its
// frame or window. Frames around the control bound it; the controls inside a
// frame being fitted do not.
QPoint RoomEnd(const QWidget* window, const std::vector<QWidget*>& controls, const QWidget* control, const QRect& rect)
{
    int right = window->width() - kFrameInset;
    int bottom = window->height() - kFrameInset;
    const bool isFrame = qobject_cast<const QGroupBox*>(control) != nullptr;
    for (const QWidget* other : controls) {
        if (other == control || other->isHidden())
            continue;
        const QRect place = other->geometry();
        if (qobject_cast<const QGroupBox*>(other) && place.contains(rect)) {
            right = std::min(right, place.right() + 1 - kFrameInset);
            bottom = std::min(bottom, place.bottom() + 1 - kFrameInset);
            continue;
        }
        if (isFrame && rect.contains(place))
            continue;
        if (place.left() > rect.left() && VerticallyOverlap(place, rect))
            right = std::min(right, place.left() - kGap);
    }
    for (const QWidget* other : controls) {
        if (other == control || other->isHidden() || (isFrame && rect.contains(other->geometry())))
            continue;
        const QRect place = other->geometry();
        if (place.top() > rect.top() && !place.contains(rect)
            && HorizontallyOverlap(place, QRect(rect.left(), rect.top(), right - rect.left(), rect.height())))
            bottom = std::min(bottom, place.top() - 1);
    }
    return {right, bottom};
}

QString Describe(bool wider, bool taller, int stretch)
{
    QStringList parts;
    if (wider)
        parts << QStringLiteral("wider");
    if (taller)
        parts << QStringLiteral("taller");
    if (stretch != 100)
        parts << QStringLiteral("narrower font %1%").arg(stretch);
    return parts.join(QStringLiteral(", "));
}

// Tries the room beside, then below, at each narrower width; the first way
// that fits is taken. Returns the width it was taken at (per cent), 0 when
// none fits.
int FitControl(QWidget* window, const std::vector<QWidget*>& controls, QWidget* control, const QRect& placed)
{
    auto* label = qobject_cast<QLabel*>(control);
    if (label && !label->pixmap().isNull())
        return 100;
    const QFont base = window->font();
    const QPoint end = RoomEnd(window, controls, control, placed);
    const int widest = std::max(placed.width(), end.x() - placed.left());
    for (const int stretch : kStretches) {
        QFont font = base;
        font.setStretch(stretch);
        if (label) {
            if (label->text().trimmed().isEmpty())
                return stretch;
            const QSize inPlace = LabelNeeds(label, font, placed.width());
            if (inPlace.width() <= placed.width() && inPlace.height() <= placed.height()) {
                if (stretch != 100)
                    label->setFont(font);
                control->setProperty("layoutFit", Describe(false, false, stretch));
                return stretch;
            }
            const QSize oneLine = LabelNeeds(label, font, kUnbounded);
            QRect rect = placed;
            if (oneLine.width() <= widest && oneLine.height() <= placed.height()) {
                rect.setWidth(std::max(placed.width(), oneLine.width()));
            } else {
                const QSize wrapped = LabelNeeds(label, font, widest);
                const int deepest =
                    RoomEnd(window, controls, control, QRect(placed.topLeft(), QSize(widest, placed.height()))).y();
                if (wrapped.width() > widest
                    || placed.top() + wrapped.height() > std::max(deepest, placed.bottom() + 1))
                    continue;
                rect.setSize(QSize(widest, std::max(placed.height(), wrapped.height())));
            }
            control->setGeometry(rect);
            if (stretch != 100)
                control->setFont(font);
            control->setProperty("layoutFit",
                                 Describe(rect.width() > placed.width(), rect.height() > placed.height(), stretch));
            return stretch;
        }
        const int needs = OneLineNeeds(control, font);
        if (needs <= placed.width()) {
            if (stretch != 100)
                control->setFont(font);
            control->setProperty("layoutFit", Describe(false, false, stretch));
            return stretch;
        }
        if (needs <= widest) {
            control->setGeometry(QRect(placed.topLeft(), QSize(needs, placed.height())));
            if (stretch != 100)
                control->setFont(font);
            control->setProperty("layoutFit", Describe(true, false, stretch));
            return stretch;
        }
    }
    return 0;
}

using ControlState = TextFitCheck::ControlState;

std::vector<ControlState> StatesOf(const std::vector<QWidget*>& controls)
{
    std::vector<ControlState> states;
    states.reserve(controls.size());
    for (const QWidget* control : controls)
        states.push_back({control->geometry(), control->font(), control->property("layoutFit").toString()});
    return states;
}

void Restore(const std::vector<QWidget*>& controls, const std::vector<ControlState>& states)
{
    // Only what differs: a font set on a control stops the window's from
    // reaching it.
    for (std::size_t index = 0; index < controls.size() && index < states.size(); ++index) {
        QWidget* control = controls[index];
        if (control->geometry() != states[index].geometry)
            control->setGeometry(states[index].geometry);
        if (control->font() != states[index].font)
            control->setFont(states[index].font);
        control->setProperty("layoutFit", states[index].fit);
    }
}

// Puts every control back in its template rectangle and the window's font
// when an earlier fit moved it; the rest keep where they are.
void ResetFitted(QWidget* window, const std::vector<QWidget*>& controls, const std::vector<QRect>& placed,
                 std::size_t index)
{
    QWidget* control = controls[index];
    if (!control->property("layoutFit").toString().isEmpty()) {
        control->setGeometry(placed[index]);
        control->setFont(window->font());
    }
    control->setProperty("layoutFit", QString());
}

// Fits by measuring the texts. Returns the outcome, one entry for each
// control that was not left as it was: [index, x, y, width, height, font
// width per cent, how it was fitted].
QJsonArray MeasuredFit(QWidget* window, const std::vector<QWidget*>& controls, const std::vector<QRect>& placed)
{
    QJsonArray outcome;
    for (std::size_t index = 0; index < controls.size() && index < placed.size(); ++index) {
        QWidget* control = controls[index];
        ResetFitted(window, controls, placed, index);
        if (control->isHidden())
            continue;
        const int stretch = FitControl(window, controls, control, placed[index]);
        if (stretch == 0)
            control->setProperty("layoutFit", QStringLiteral("does not fit"));
        const QString fit = control->property("layoutFit").toString();
        if (fit.isEmpty())
            continue;
        const QRect rect = control->geometry();
        outcome.append(QJsonArray{static_cast<int>(index), rect.x(), rect.y(), rect.width(), rect.height(),
                                  stretch == 0 ? 100 : stretch, fit});
    }
    return outcome;
}

// The program's style sheet is a few kilobytes and seldom changes: hashed
// once a change. The memo belongs to the one application's style sheet it
// hashes and is compared against it on every call, so it cannot go stale;
// it is read on the GUI thread only, as the sheet is.
QByteArray SheetDigest()
{
    static QString sheet;
    static QByteArray digest;
    if (digest.isEmpty() || qApp->styleSheet() != sheet) {
        sheet = qApp->styleSheet();
        digest = QCryptographicHash::hash(sheet.toUtf8(), QCryptographicHash::Sha1);
    }
    return digest;
}

// Everything a fit reads, hashed: the window's size, font and style, and each
// control's kind, texts, place, font and last fit. Two fits with one key
// measure the same texts in the same fonts and end the same way.
QString FitKey(const QWidget* window, const std::vector<QWidget*>& controls, const std::vector<QRect>& placed)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << window->size() << window->font().toString() << window->styleSheet() << SheetDigest()
        << QApplication::style()->name();
    for (std::size_t index = 0; index < controls.size() && index < placed.size(); ++index) {
        const QWidget* control = controls[index];
        out << QByteArray(control->metaObject()->className()) << control->isHidden() << placed[index]
            << control->geometry() << control->font().toString() << control->property("layoutFit").toString();
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            out << label->text() << static_cast<int>(label->alignment()) << label->wordWrap()
                << label->pixmap().isNull();
        } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            out << button->text();
        } else if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
            out << group->title() << static_cast<int>(group->alignment());
        } else if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
            out << combo->isEditable() << combo->count();
            for (int item = 0; item < combo->count(); ++item)
                out << combo->itemText(item);
        }
    }
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

// Ends a fit as `outcome` says, without measuring. False, with nothing
// changed, when the outcome is not one this window's fit could have had.
bool ReplayFit(QWidget* window, const std::vector<QWidget*>& controls, const std::vector<QRect>& placed,
               const QJsonArray& outcome)
{
    const std::size_t count = std::min(controls.size(), placed.size());
    struct Step {
        std::size_t index;
        QRect rect;
        int stretch;
        QString fit;
    };
    std::vector<Step> steps;
    for (const QJsonValue value : outcome) {
        const QJsonArray entry = value.toArray();
        if (entry.size() != 7 || !entry[6].isString() || entry[6].toString().isEmpty())
            return false;
        int numbers[6];
        for (int field = 0; field < 6; ++field) {
            const double number = entry[field].toDouble(-1);
            if (!entry[field].isDouble() || number < 0 || number > kUnbounded || number != static_cast<int>(number))
                return false;
            numbers[field] = static_cast<int>(number);
        }
        const auto index = static_cast<std::size_t>(numbers[0]);
        if (index >= count || (!steps.empty() && index <= steps.back().index)
            || std::find(std::begin(kStretches), std::end(kStretches), numbers[5]) == std::end(kStretches))
            return false;
        const QRect rect(numbers[1], numbers[2], numbers[3], numbers[4]);
        steps.push_back({index, rect, numbers[5], entry[6].toString()});
    }
    for (std::size_t index = 0; index < count; ++index)
        ResetFitted(window, controls, placed, index);
    for (const Step& step : steps) {
        QWidget* control = controls[step.index];
        control->setGeometry(step.rect);
        if (step.stretch != 100) {
            QFont font = window->font();
            font.setStretch(step.stretch);
            control->setFont(font);
        }
        control->setProperty("layoutFit", step.fit);
    }
    return true;
}

} // namespace

QRect GroupTitleRect(const QGroupBox* group)
{
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.textAlignment = group->alignment();
    return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
}

void TextFitCheck::run(QWidget* window, const std::vector<QWidget*>& controls, const std::vector<QRect>& placed)
{
    FontMetricsCache* cache = ActiveFontMetricsCache();
    if (std::exchange(m_check, false)) {
        const std::vector<ControlState> replayed = StatesOf(controls);
        Restore(controls, m_before);
        const QString key = FitKey(window, controls, placed);
        const QJsonArray outcome = MeasuredFit(window, controls, placed);
        if (cache)
            cache->keepTextFit(key, outcome);
        if (StatesOf(controls) != replayed)
            qDebug("Window %s: a stored text fit was out of date and is replaced",
                   qUtf8Printable(window->objectName()));
    }
    m_store = false;
    m_guess = false;
    if (cache)
        cache->writeIfChanged();
}

void FitTexts(QWidget* window, const std::vector<QWidget*>& controls, const std::vector<QRect>& placed,
              TextFitCheck& check)
{
    check.m_check = false; // superseded by this fit
    FontMetricsCache* cache = ActiveFontMetricsCache();
    // Only a window's fits before it is first shown are kept: they are what
    // the start-up waits for. Later ones measure fonts the window has loaded
    // to paint, and their texts (values, names) change from run to run.
    if (!cache || window->isVisible()) {
        MeasuredFit(window, controls, placed);
        return;
    }
    const QString key = FitKey(window, controls, placed);
    const std::optional<FontMetricsCache::TextFit> stored = cache->findTextFit(key);
    std::vector<ControlState> before = StatesOf(controls);
    if (stored && ReplayFit(window, controls, placed, stored->outcome)) {
        if (!stored->confirmed) {
            check.m_before = std::move(before);
            check.m_check = true;
        }
        return;
    }
    if (check.m_guess && ReplayFit(window, controls, placed, QJsonArray())) {
        check.m_before = std::move(before);
        check.m_check = true;
        return;
    }
    cache->keepTextFit(key, MeasuredFit(window, controls, placed));
    check.m_store = true;
}

} // namespace kestra::ui
