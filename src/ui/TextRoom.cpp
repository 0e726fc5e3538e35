// SPDX-License-Identifier: Apache-2.0
#include "ui/TextRoom.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include <algorithm>

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
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        return combo->width() - field.width() + widest;
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
// that fits is taken. Returns false when none does.
bool FitControl(QWidget* window, const std::vector<QWidget*>& controls, QWidget* control, const QRect& placed)
{
    auto* label = qobject_cast<QLabel*>(control);
    if (label && !label->pixmap().isNull())
        return true;
    const QFont base = window->font();
    const QPoint end = RoomEnd(window, controls, control, placed);
    const int widest = std::max(placed.width(), end.x() - placed.left());
    for (const int stretch : kStretches) {
        QFont font = base;
        font.setStretch(stretch);
        if (label) {
            if (label->text().trimmed().isEmpty())
                return true;
            const QSize inPlace = LabelNeeds(label, font, placed.width());
            if (inPlace.width() <= placed.width() && inPlace.height() <= placed.height()) {
                if (stretch != 100)
                    label->setFont(font);
                control->setProperty("layoutFit", Describe(false, false, stretch));
                return true;
            }
            const QSize oneLine = LabelNeeds(label, font, kUnbounded);
            QRect rect = placed;
            if (oneLine.width() <= widest && oneLine.height() <= placed.height()) {
                rect.setWidth(std::max(placed.width(), oneLine.width()));
            } else {
                const QSize wrapped = LabelNeeds(label, font, widest);
                const int deepest = RoomEnd(window, controls, control, QRect(placed.topLeft(), QSize(widest, placed.height()))).y();
                if (wrapped.width() > widest || placed.top() + wrapped.height() > std::max(deepest, placed.bottom() + 1))
                    continue;
                rect.setSize(QSize(widest, std::max(placed.height(), wrapped.height())));
            }
            control->setGeometry(rect);
            if (stretch != 100)
                control->setFont(font);
            control->setProperty("layoutFit", Describe(rect.width() > placed.width(), rect.height() > placed.height(), stretch));
            return true;
        }
        const int needs = OneLineNeeds(control, font);
        if (needs <= placed.width()) {
            if (stretch != 100)
                control->setFont(font);
            control->setProperty("layoutFit", Describe(false, false, stretch));
            return true;
        }
        if (needs <= widest) {
            control->setGeometry(QRect(placed.topLeft(), QSize(needs, placed.height())));
            if (stretch != 100)
                control->setFont(font);
            control->setProperty("layoutFit", Describe(true, false, stretch));
            return true;
        }
    }
    return false;
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

void FitTexts(QWidget* window, const std::vector<QWidget*>& controls, const std::vector<QRect>& placed)
{
    const QFont base = window->font();
    for (std::size_t index = 0; index < controls.size() && index < placed.size(); ++index) {
        QWidget* control = controls[index];
        if (!control->property("layoutFit").toString().isEmpty()) {
            control->setGeometry(placed[index]);
            control->setFont(base);
        }
        control->setProperty("layoutFit", QString());
        if (control->isHidden())
            continue;
        if (!FitControl(window, controls, control, placed[index]))
            control->setProperty("layoutFit", QStringLiteral("does not fit"));
    }
}

} // namespace kestra::ui
