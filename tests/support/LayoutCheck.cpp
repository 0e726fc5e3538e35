// SPDX-License-Identifier: Apache-2.0
#include "support/LayoutCheck.h"

#include "ui/ControlWidgets.h"
#include "ui/Dialog.h"
#include "ui/DialogUnits.h"
#include "ui/TextRoom.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace kestra::test {

namespace {

// A list opens at least this many entries (all when it has fewer).
constexpr int kSeveralEntries = 3;

QString SizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

QString NameOf(const ui::ControlTemplate& control, std::size_t index)
{
    return control.id == ui::IDC_STATIC ? QStringLiteral("static #%1").arg(index) : QString::number(control.id);
}

QString Cut(const QString& name, const QString& text, QSize needs, QSize has)
{
    return QStringLiteral("%1 \"%2\": needs %3 px, has %4").arg(name, text, SizeText(needs), SizeText(has));
}

// The height of `lines` lines of `text` in the control's own font. A glyph
// from a fallback font (Japanese in a Latin font) makes the measured line
// taller by that font's ascent and descent, not by what it draws.
int LinesHeight(const QFontMetrics& metrics, int measuredHeight, const QString& text)
{
    const int oneLine = std::max(1, metrics.boundingRect(QRect(0, 0, 100000, 100000), 0, text).height());
    const int lines = std::max(1, (measuredHeight + oneLine / 2) / oneLine);
    return lines * metrics.height() + (lines - 1) * std::max(0, metrics.leading());
}

// The window's other controls a text may not run under: every control but
// the frames around it.
bool Covers(const QWidget* other, const QWidget* control, const QRect& text)
{
    if (!other || other == control || other->isHidden())
        return false;
    if (qobject_cast<const QGroupBox*>(other))
        return false;
    return other->geometry().intersects(text);
}

void CheckLabel(const QLabel* label, const QString& name, const std::vector<QWidget*>& controls, QStringList& problems)
{
    if (label->text().isEmpty() || label->text().trimmed().isEmpty())
        return;
    const QRect room = label->contentsRect();
    int flags = static_cast<int>(label->alignment());
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    const QFontMetrics metrics(label->font());
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, room.width(), 100000), flags, label->text());
    const QSize needed(wrapped.width(), LinesHeight(metrics, wrapped.height(), label->text()));
    if (needed.width() > room.width() || needed.height() > room.height()) {
        problems << Cut(name, label->text(), needed, room.size());
        return;
    }
    QRect drawn = QStyle::alignedRect(label->layoutDirection(), label->alignment(), needed, room);
    drawn.translate(label->pos());
    for (const QWidget* other : controls) {
        if (Covers(other, label, drawn)) {
            problems << QStringLiteral("%1 \"%2\": runs under %3").arg(name, label->text(), other->objectName());
            return;
        }
    }
}

void CheckButton(const QPushButton* button, const QString& name, QStringList& problems)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (button->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QFontMetrics metrics(button->font());
    const QSize needed(metrics.size(Qt::TextShowMnemonic, button->text()).width(), metrics.height());
    if (needed.width() > room.width() || needed.height() > room.height())
        problems << Cut(name, ui::StripMnemonic(button->text()), needed, room.size());
}

void CheckGroupTitle(const QGroupBox* group, const QString& name, QStringList& problems)
{
    if (group->title().isEmpty())
        return;
    const QRect title = ui::GroupTitleRect(group);
    const QFontMetrics metrics(group->font());
    const QSize needed(metrics.size(Qt::TextShowMnemonic, group->title()).width(), metrics.height());
    // The title stays inside the frame, as far from its right end as from its left.
    const int room = group->width() - 2 * std::max(0, title.left());
    if (needed.width() > room)
        problems << Cut(name, ui::StripMnemonic(group->title()), needed, QSize(room, title.height()));
}

// A shown entry keeps the style's own margin on both sides: as far from the
// arrow as the style keeps it from the list's left edge. An entry that runs
// into that margin reads as cut.
void CheckListEntries(const QComboBox* combo, const QString& name, QStringList& problems)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect field =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    const int margin = std::max(0, field.left());
    const QFontMetrics metrics(combo->font());
    for (int i = 0; i < combo->count(); ++i) {
        const QString text = combo->itemText(i);
        const QSize needed(metrics.horizontalAdvance(text), metrics.height());
        if (needed.width() > field.width())
            problems << Cut(name, text, needed, field.size());
        else if (needed.width() > field.width() - margin)
            problems << QStringLiteral("%1 \"%2\": runs into the arrow's margin: needs %3 px and %4 px before the "
                                       "arrow, has %5")
                            .arg(name, text)
                            .arg(needed.width())
                            .arg(margin)
                            .arg(field.width());
    }
}

// Opens the list and looks at what the user gets. A disabled list is opened
// too: the user opens it once the window enables it.
void CheckPopup(QComboBox* combo, const ui::ControlTemplate& control, const ui::DialogBaseUnits& units,
                const QString& name, QStringList& problems)
{
    if (combo->count() == 0)
        return;
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QWidget* popup = view->window();
    // The template height counts entries of the font's line height (and a
    // pixel above and below), however tall a style draws them.
    const int entryHeight = QFontMetrics(combo->font()).height() + 2;
    const int listHeight = ui::MapDialogRect(QRect(0, 0, control.cx, control.cy), units).height();
    const int allowed = std::max(1, (listHeight - combo->height()) / entryHeight);
    const int expected = std::min(combo->count(), allowed);
    int shown = 0;
    for (int row = 0; row < combo->count(); ++row) {
        const QRect rect = view->visualRect(view->model()->index(row, combo->modelColumn()));
        if (rect.top() >= 0 && rect.bottom() <= view->viewport()->rect().bottom())
            ++shown;
    }
    if (shown != expected)
        problems << QStringLiteral("%1: opens %2 entries, its template height %3 allows %4")
                        .arg(name)
                        .arg(shown)
                        .arg(control.cy)
                        .arg(expected);
    if (expected < std::min(combo->count(), kSeveralEntries))
        problems << QStringLiteral("%1: its template height %2 opens %3 of %4 entries")
                        .arg(name)
                        .arg(control.cy)
                        .arg(expected)
                        .arg(combo->count());
    if (const QScreen* screen = popup->screen();
        screen && !screen->availableGeometry().contains(popup->frameGeometry()))
        problems << QStringLiteral("%1: the open list leaves the screen").arg(name);
    const int widest = view->sizeHintForColumn(combo->modelColumn());
    if (widest > view->viewport()->width())
        problems << QStringLiteral("%1: the open list is %2 px wide, its longest entry needs %3")
                        .arg(name)
                        .arg(view->viewport()->width())
                        .arg(widest);
    combo->hidePopup();
}

} // namespace

QStringList LayoutProblems(const ui::CDialog& dialog, int onlyId)
{
    QStringList problems;
    const ui::DialogTemplate& form = dialog.dialogTemplate();
    std::vector<QWidget*> controls;
    for (std::size_t index = 0; index < form.controls.size(); ++index) {
        const ui::ControlTemplate& control = form.controls[index];
        const QString objectName = control.id == ui::IDC_STATIC ? QStringLiteral("static%1").arg(index)
                                                                : QStringLiteral("control%1").arg(control.id);
        controls.push_back(dialog.widget()->findChild<QWidget*>(objectName, Qt::FindDirectChildrenOnly));
        // A control the check cannot find is a control it does not check.
        if (!controls.back() && (onlyId == 0 || control.id == onlyId))
            problems
                << QStringLiteral("%1: no control named %2; it is not checked").arg(NameOf(control, index), objectName);
    }
    for (std::size_t index = 0; index < form.controls.size(); ++index) {
        QWidget* widget = controls[index];
        if (!widget || widget->isHidden() || (onlyId != 0 && form.controls[index].id != onlyId))
            continue;
        const QString name = NameOf(form.controls[index], index);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            CheckLabel(label, name, controls, problems);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            CheckButton(button, name, problems);
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            CheckGroupTitle(group, name, problems);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            CheckListEntries(combo, name, problems);
            CheckPopup(combo, form.controls[index], dialog.LayoutMetrics().units, name, problems);
        }
    }
    return problems;
}

QStringList LayoutAdjustments(const ui::CDialog& dialog)
{
    QStringList adjustments;
    const auto children = dialog.widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* child : children) {
        const QString fit = child->property("layoutFit").toString();
        if (fit.isEmpty())
            continue;
        const int id = child->property("controlId").toInt();
        adjustments << QStringLiteral("%1: %2").arg(id == ui::IDC_STATIC ? child->objectName() : QString::number(id),
                                                    fit);
    }
    return adjustments;
}

} // namespace kestra::test
