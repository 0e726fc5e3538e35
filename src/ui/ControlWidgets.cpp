// SPDX-License-Identifier: Apache-2.0
#include "ui/ControlWidgets.h"

#include "storage/Cp936.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <optional>

namespace kestra::ui {

namespace {

int nonDigitCount(const QString& text)
{
    int count = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            ++count;
    }
    return count;
}

} // namespace

EditInputRules::EditInputRules(QLineEdit* edit) : QValidator(edit), m_accepted(edit->text())
{
    // Every change that stood, typed or set from code, is the base the next
    // typed change is judged against.
    QObject::connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_accepted = text; });
}

QValidator::State EditInputRules::validate(QString& input, int& /*pos*/) const
{
    if (m_digitsOnly && nonDigitCount(input) > nonDigitCount(m_accepted))
        return Invalid;
    if (m_byteLimit > 0) {
        const int length = Cp936Length(input);
        if (length > m_byteLimit && length > Cp936Length(m_accepted))
            return Invalid;
    }
    return Acceptable;
}

EditInputRules* EditInputRules::of(QLineEdit* edit)
{
    if (auto* rules = dynamic_cast<EditInputRules*>(const_cast<QValidator*>(edit->validator())))
        return rules;
    auto* rules = new EditInputRules(edit);
    edit->setValidator(rules);
    return rules;
}

DropDownWidget::DropDownWidget(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this] { m_picked = true; });
}

void DropDownWidget::fitPopup()
{
    // The template's height counts entries of the font's line height, as the
    // controls the templates were made for draw them; a style that draws
    // taller entries opens a taller list rather than fewer entries.
    const int templateEntry = fontMetrics().height() + 2;
    int rows = std::max(1, (m_openListHeight - height()) / templateEntry);
    QAbstractItemView* list = view();
    const int rowHeight = count() > 0 ? std::max(1, list->sizeHintForRow(0)) : templateEntry;
    QRect screenRoom(0, 0, 100000, 100000);
    if (const QScreen* shown = screen())
        screenRoom = shown->availableGeometry();
    rows = std::min(rows, std::max(1, (screenRoom.height() - height()) / rowHeight - 1));
    setMaxVisibleItems(rows);
    // Country names run longer than their field: the open list takes the
    // width they need rather than cutting them short.
    int width = list->sizeHintForColumn(modelColumn()) + 2 * list->frameWidth();
    if (count() > rows)
        width += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    list->setMinimumWidth(std::min(width, screenRoom.width()));
}

void DropDownWidget::showPopup()
{
    m_picked = false;
    m_open = true;
    fitPopup();
    QComboBox::showPopup();
}

void DropDownWidget::hidePopup()
{
    QComboBox::hidePopup();
    if (!m_open)
        return;
    m_open = false;
    // A pick by mouse closes the list before Qt reports the pick, so whether
    // the list closed without one is known only once the current event is done.
    QTimer::singleShot(0, this, [this] {
        if (!m_picked && onClosedWithoutPick)
            onClosedWithoutPick();
    });
}

QString StripMnemonic(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&')) {
            result.append(text.at(i));
        } else if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
            result.append(QLatin1Char('&'));
            ++i;
        }
    }
    return result;
}

QString ControlLabel(const QWidget* control)
{
    if (!control)
        return QString();
    if (!control->accessibleName().isEmpty())
        return control->accessibleName();
    if (const QWidget* parent = control->parentWidget()) {
        for (const QObject* child : parent->children()) {
            const auto* label = qobject_cast<const QLabel*>(child);
            if (label && label->buddy() == control) {
                QString text = StripMnemonic(label->text()).trimmed();
                while (text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(0xFF1A)))
                    text.chop(1);
                return text.trimmed();
            }
        }
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return StripMnemonic(button->text());
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return StripMnemonic(group->title());
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return StripMnemonic(label->text());
    return control->objectName();
}

namespace {

// Empty until the picture is first asked for; then the decoded icon (a null
// one when the program has no such resource).
std::optional<QIcon>& DecodedToolIcon()
{
    static std::optional<QIcon> icon;
    return icon;
}

} // namespace

QIcon ToolIcon()
{
    // Decoded once, as the PNG it is. An icon made from the file name has
    // Qt's image reader offer the file to every image plugin first (loading
    // each one and its libraries before the first window is shown), and a new
    // icon for every window and message box decodes the picture again.
    std::optional<QIcon>& icon = DecodedToolIcon();
    if (!icon) {
        icon = [] {
            // The picture is the program's resource; a test without it gets none.
            const QString path = QStringLiteral(":/icons/kestra.png");
            if (!QFile::exists(path))
                return QIcon();
            QImageReader reader(path, "png");
            reader.setAutoDetectImageFormat(false);
            const QImage image = reader.read();
            return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
        }();
    }
    return icon->isNull() ? QApplication::windowIcon() : *icon;
}

bool ToolIconDecoded()
{
    return DecodedToolIcon().has_value();
}

} // namespace kestra::ui
