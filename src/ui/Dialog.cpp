// SPDX-License-Identifier: Apache-2.0
#include "ui/Dialog.h"

#include "ui/ControlWidgets.h"
#include "ui/DataExchange.h"
#include "ui/DialogUnits.h"
#include "ui/FontMetricsCache.h"
#include "ui/TextRoom.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtDebug>

#include <algorithm>
#include <optional>
#include <utility>

namespace kestra::ui {

namespace {

// Gives `window` the tool's icon, and the application too when it has none
// (the windows Qt opens itself, file choosers, take the application's).
void SetToolIcon(QWidget* window)
{
    const QIcon icon = ToolIcon();
    if (icon.isNull())
        return;
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(icon);
    window->setWindowIcon(icon);
}

} // namespace

// The Qt window of a CDialog. Every way Qt offers to end a dialog (Esc, Enter,
// the close box, accept/reject) goes through the window's OK and Cancel
// paths, so only EndDialog ends it.
class CDialog::Window : public QDialog {
public:
    explicit Window(CDialog& owner) : m_owner(owner) {}

    void accept() override { m_owner.Notify(Notification::Clicked, IDOK); }
    void reject() override { m_owner.Notify(Notification::Clicked, IDCANCEL); }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
        if (event->key() == Qt::Key_Escape && plain) {
            m_owner.Notify(Notification::Clicked, IDCANCEL);
            return;
        }
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain) {
            // As the dialog manager does: a focused push button is pressed,
            // otherwise the default button's command is sent.
            if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
                button->click();
                return;
            }
            const int defaultId = m_owner.DefaultButtonId();
            if (QWidget* control = m_owner.Control(defaultId); control && !control->isEnabled())
                return;
            m_owner.Notify(Notification::Clicked, defaultId);
            return;
        }
        QDialog::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        if (m_owner.m_ended || !isVisible()) {
            event->accept();
            return;
        }
        // The close box is the Cancel path; the window hides only if that
        // path ends it.
        event->ignore();
        m_owner.Notify(Notification::Clicked, IDCANCEL);
    }

    void paintEvent(QPaintEvent* event) override
    {
        QDialog::paintEvent(event);
        // The template font and a stored text fit are measured once the
        // window is on screen, where painting its texts has loaded the fonts
        // anyway.
        const bool check = !m_painted && (m_owner.LayoutCheckPending() || m_owner.m_textFitCheck.pending());
        // The tool's icon, when not yet decoded, is decoded once the first
        // window is on screen: the window manager takes an icon given later.
        const bool icon = !m_iconAsked && !testAttribute(Qt::WA_SetWindowIcon);
        m_painted = m_painted || check;
        m_iconAsked = true;
        if (!check && !icon)
            return;
        QTimer::singleShot(0, this, [this, check, icon] {
            if (check) {
                m_owner.m_textFitCheck.run(this, m_owner.m_widgets, m_owner.m_placed);
                m_owner.checkLayoutMetrics();
            }
            if (icon)
                SetToolIcon(this);
        });
    }

private:
    friend class CDialog;
    CDialog& m_owner;
    bool m_painted = false;
    bool m_iconAsked = false;
};

// Watches the window's controls: focus changes become notifications, and mouse
// and key presses go to the window's event relay before the control sees them.
class CDialog::ControlEvents : public QObject {
public:
    ControlEvents(CDialog& owner, QObject* parent) : QObject(parent), m_owner(owner) {}

    // Watches `watched` for the control `control` with id `id` (a drop-down's
    // edit field for the drop-down).
    void watch(QWidget* watched, QWidget* control, int id)
    {
        m_watched.insert(watched, {control, id});
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto found = m_watched.constFind(watched);
        if (found == m_watched.constEnd())
            return false;
        QWidget* control = found->control;
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            const int id = found->id;
            if (id != IDC_STATIC)
                m_owner.Notify(event->type() == QEvent::FocusIn ? Notification::SetFocus : Notification::KillFocus, id);
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::ContextMenu:
            if (m_owner.m_eventRelay)
                m_owner.m_eventRelay(control, event);
            break;
        default:
            break;
        }
        return false;
    }

private:
    struct Watched {
        QWidget* control;
        int id;
    };
    CDialog& m_owner;
    // By the object the events are for: no look-up of the controls' id
    // property by its name on every focus change and key press.
    QHash<const QObject*, Watched> m_watched;
};

namespace {

// Counts one level of nesting for as long as it lives.
class DepthGuard {
public:
    explicit DepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& m_depth;
};

bool isInputKind(ControlKind kind)
{
    return kind == ControlKind::Edit || kind == ControlKind::DropDownList || kind == ControlKind::DropDown;
}

QWidget* createControl(const ControlTemplate& control, QWidget* parent)
{
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* button = new QPushButton(text, parent);
        // Enter is handled by the dialog as a whole; Qt's auto-default
        // buttons would move the default around with the focus.
        button->setAutoDefault(false);
        button->setDefault(control.kind == ControlKind::DefPushButton);
        return button;
    }
    case ControlKind::GroupBox: {
        auto* group = new QGroupBox(text, parent);
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop | ((control.style & SsCenter) ? Qt::AlignHCenter : Qt::AlignLeft));
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, parent);
        EditInputRules* rules = EditInputRules::of(edit);
        rules->setDigitsOnly((control.style & EsNumber) != 0);
        rules->setByteLimit(control.maxLength);
        edit->setReadOnly((control.style & EsReadOnly) != 0);
        if (control.style & EsPassword)
            edit->setEchoMode(QLineEdit::Password);
        edit->setAlignment(((control.style & EsCenter) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        return edit;
    }
    case ControlKind::DropDownList:
    case ControlKind::DropDown: {
        auto* combo = new DropDownWidget(parent);
        if (control.kind == ControlKind::DropDown) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setEditText(text);
        }
        return combo;
    }
    case ControlKind::Icon: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(ToolIcon().pixmap(32, 32));
        return picture;
    }
    case ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        if ((control.style & LbsWrapLines) != 0) {
            // Every word of an entry stays in view, however narrow the list.
            list->setWordWrap(true);
            list->setTextElideMode(Qt::ElideNone);
            list->setUniformItemSizes(false);
            list->setResizeMode(QListView::Adjust);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        } else {
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        }
        return list;
    }
    case ControlKind::Progress: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }
    }
    return new QWidget(parent);
}

// The lists are measured in a window of their own, hidden, unpolished and
// unfocused, as a window's lists are when they are placed: a list in a window
// on screen measures with the font and frame the style gives it there (a
// focused list draws a wider frame), which the placing never saw. A list with
// an edit field is measured only for a template that has one: its edit field
// costs as much as the rest together on a first run.
TemplateFontMetrics measureTemplateFont(DialogFont font, const QString& family, bool withEditableList)
{
    TemplateFontMetrics metrics;
    metrics.family = family;
    const QFont templateFont = TemplateFont(font, family);
    metrics.units = BaseUnitsOf(templateFont);
    QDialog scratch;
    scratch.setFont(templateFont);
    DropDownWidget list(&scratch);
    metrics.listFieldHeight = list.sizeHint().height();
    metrics.listItemHeight = list.fontMetrics().height();
    if (withEditableList) {
        DropDownWidget editableList(&scratch);
        editableList.setEditable(true);
        editableList.setInsertPolicy(QComboBox::NoInsert);
        metrics.editListFieldHeight = editableList.sizeHint().height();
    }
    return metrics;
}

bool hasEditableList(const DialogTemplate& dialogTemplate)
{
    return std::any_of(dialogTemplate.controls.begin(), dialogTemplate.controls.end(),
                       [](const ControlTemplate& control) { return control.kind == ControlKind::DropDown; });
}

QRect controlGeometry(const ControlTemplate& control, QWidget* widget, const TemplateFontMetrics& metrics)
{
    const DialogBaseUnits units = metrics.units;
    QRect rect = MapDialogRect(QRect(control.x, control.y, control.cx, control.cy), units);
    if (control.kind == ControlKind::Icon && (control.cx == 0 || control.cy == 0))
        rect.setSize(QSize(32, 32)); // an icon static takes the icon's own size
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // A drop-down's template height is that of its open list; the closed
        // control is one line high.
        const int listHeight = rect.height();
        const int hint = control.kind == ControlKind::DropDown ? metrics.editListFieldHeight : metrics.listFieldHeight;
        const int fieldHeight = std::min(listHeight, std::max(hint, MulDivRound(12, units.y, 8)));
        const int itemHeight = std::max(1, metrics.listItemHeight + 2);
        combo->setMaxVisibleItems(std::max(1, (listHeight - fieldHeight) / itemHeight));
        if (auto* dropDown = qobject_cast<DropDownWidget*>(combo))
            dropDown->setOpenListHeight(listHeight); // the real entry height is known when the list opens
        rect.setHeight(fieldHeight);
    }
    return rect;
}

} // namespace

CDialog::CDialog(const DialogTemplate& dialogTemplate, Services& services)
    : m_template(dialogTemplate), m_services(services)
{
}

CDialog::~CDialog()
{
    // The derived window is gone already: nothing may reach its handlers or
    // virtual operations while the widgets are torn down.
    m_handlers.clear();
    m_eventRelay = nullptr;
    m_ended = true;
    for (auto& [id, control] : m_controls) {
        // Only the notification connections (their context is the window).
        // A blanket disconnect() would also cut Qt's own listeners on the
        // control's destroyed() signal: the accessibility cache would then keep
        // a dead interface under the control's address and hand it to the next
        // widget allocated there, crashing a screen reader that asks its name.
        QObject::disconnect(control, nullptr, m_window.get(), nullptr);
        if (auto* combo = dynamic_cast<DropDownWidget*>(control))
            combo->onClosedWithoutPick = nullptr;
    }
    // The window goes as a whole, not control by control.
    if (m_window)
        m_window->hide();
    m_window.reset();
}

void CDialog::build()
{
    auto window = std::make_unique<Window>(*this);
    // A stored copy of the template font's measurements spares measuring it
    // before the window is shown; they are checked once it is (checkLayoutMetrics).
    // With no copy at all, the cache's first guess stands in for one, and the
    // texts keep the template's layout until the same check: the font
    // system is first asked after the first paint, as with a copy.
    FontMetricsCache* cache = ActiveFontMetricsCache();
    const bool editableList = hasEditableList(m_template);
    std::optional<FontMetricsCache::Entry> stored = cache ? cache->find(m_template.font) : std::nullopt;
    bool guessed = false;
    if (cache && !stored) {
        if (std::optional<TemplateFontMetrics> guess = cache->firstGuess(m_template.font)) {
            stored = FontMetricsCache::Entry{std::move(*guess), false};
            guessed = true;
        }
    }
    if (stored && editableList && stored->metrics.editListFieldHeight == 0) {
        stored.reset(); // never measured with this font
        guessed = false;
    }
    if (guessed)
        m_textFitCheck.guessUntilChecked();

    const QString family = stored ? stored->metrics.family : TemplateFontFamily(m_template.font);
    window->setFont(TemplateFont(m_template.font, family));
    window->setObjectName(QStringLiteral("dialog%1").arg(m_template.resourceId));
    window->setWindowTitle(QString::fromUtf8(m_template.caption));
    if (ToolIconDecoded())
        window->setWindowIcon(ToolIcon()); // else after the first paint
    window->setWindowFlags(((Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                             | Qt::WindowCloseButtonHint)
                            | m_extraFlags)
                           & ~m_clearedFlags);
    TemplateFontMetrics metrics;
    if (stored) {
        metrics = stored->metrics;
        m_fontCheck = stored->confirmed ? FontCheck::None : FontCheck::Measure;
    } else {
        metrics = measureTemplateFont(m_template.font, family, editableList);
        m_fontCheck = cache ? FontCheck::Store : FontCheck::None;
    }

    std::vector<QWidget*>& widgets = m_widgets;
    widgets.reserve(m_template.controls.size());
    for (std::size_t index = 0; index < m_template.controls.size(); ++index) {
        const ControlTemplate& control = m_template.controls[index];
        QWidget* widget = createControl(control, window.get());
        widget->setObjectName(control.id == IDC_STATIC ? QStringLiteral("static%1").arg(index)
                                                       : QStringLiteral("control%1").arg(control.id));
        widget->setProperty("controlId", control.id);
        if (control.style & WsDisabled)
            widget->setEnabled(false);
        if (control.kind == ControlKind::GroupBox)
            widget->lower(); // a frame never covers the controls inside it
        if (control.id != IDC_STATIC) {
            if (!m_controls.emplace(control.id, widget).second)
                qWarning("Dialog %d: control id %d used twice; the first one answers to it", m_template.resourceId,
                         control.id);
        }
        widgets.push_back(widget);
    }
    placeControls(window.get(), metrics);

    // Labels name the controls they label, for screen readers and messages.
    for (std::size_t index = 0; index < m_template.controls.size(); ++index) {
        const ControlTemplate& control = m_template.controls[index];
        auto* label = qobject_cast<QLabel*>(widgets[index]);
        if (!label || control.kind != ControlKind::Static || control.buddyId == kNoBuddy)
            continue;
        QWidget* buddy = nullptr;
        if (control.buddyId != kBuddyFromOrder)
            buddy = Control(control.buddyId);
        else if (index + 1 < m_template.controls.size() && isInputKind(m_template.controls[index + 1].kind))
            buddy = widgets[index + 1];
        if (buddy)
            label->setBuddy(buddy);
    }

    // Notifications, connected after the template texts are in place: the
    // controls' creation does not notify.
    m_controlEvents = new ControlEvents(*this, window.get());
    for (std::size_t index = 0; index < m_template.controls.size(); ++index) {
        const int id = m_template.controls[index].id;
        QWidget* widget = widgets[index];
        if (id == IDC_STATIC)
            continue;
        m_controlEvents->watch(widget, widget, id);
        // A drop-down list with an edit field gets its keys and clicks there.
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
            m_controlEvents->watch(combo->lineEdit(), widget, id);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            QObject::connect(edit, &QLineEdit::textChanged, window.get(),
                             [this, id] { Notify(Notification::EditChange, id); });
        } else if (auto* combo = qobject_cast<DropDownWidget*>(widget)) {
            QObject::connect(combo, &QComboBox::activated, window.get(),
                             [this, id] { Notify(Notification::SelChange, id); });
            combo->onClosedWithoutPick = [this, id] { Notify(Notification::SelEndCancel, id); };
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QObject::connect(button, &QPushButton::clicked, window.get(),
                             [this, id] { Notify(Notification::Clicked, id); });
        }
    }
    m_window = std::move(window);
}

void CDialog::placeControls(QWidget* window, const TemplateFontMetrics& metrics)
{
    const QFont font = TemplateFont(m_template.font, metrics.family);
    const QFont oldFont = window->font();
    const bool newFont = oldFont != font;
    window->setFont(font);
    if (newFont && window->testAttribute(Qt::WA_WState_Polished)) {
        // Under the skin's style sheet a window's new font stops at the
        // controls already polished (a list's edit field and popup included):
        // they take it one by one. Only those that took the window's font
        // (or a narrower width of it, from a text fit): a control built with
        // a font of its own kind (a frame's title, from the platform's theme)
        // or given one (a balloon) keeps it, as it would in a window built
        // with the new font.
        for (QComboBox* combo : window->findChildren<QComboBox*>())
            combo->view(); // the popup, made on first use, is made now so that it is found below
        const QList<QWidget*> widgets = window->findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            QFont own = widget->font();
            const int stretch = own.stretch();
            own.setStretch(oldFont.stretch());
            if (own != oldFont)
                continue;
            QFont followed = font;
            if (stretch != oldFont.stretch())
                followed.setStretch(stretch);
            widget->setFont(followed);
        }
    }
    const QSize size = MapDialogRect(QRect(0, 0, m_template.cx, m_template.cy), metrics.units).size();
    if (window->isVisible() && window->size() != size) {
        // Corrected on screen: the window keeps the centre it was shown at.
        const QPoint centre = window->geometry().center();
        window->setFixedSize(size);
        window->move(window->pos() + centre - window->geometry().center());
    } else {
        window->setFixedSize(size);
    }
    m_placed.clear();
    for (std::size_t index = 0; index < m_widgets.size(); ++index) {
        m_placed.push_back(controlGeometry(m_template.controls[index], m_widgets[index], metrics));
        m_widgets[index]->setGeometry(m_placed.back());
    }
    m_fontMetrics = metrics;
    if (m_textsInPlace)
        fitTexts(); // placed again after the window was built
}

void CDialog::fitTexts()
{
    m_textFitPending = false;
    if (m_window)
        FitTexts(m_window.get(), m_widgets, m_placed, m_textFitCheck);
}

void CDialog::TextChanged(QWidget* control)
{
    auto* window = control ? dynamic_cast<Window*>(control->window()) : nullptr;
    if (!window || window->m_owner.m_textFitPending)
        return;
    // Once for a whole run of changes (a window's texts change together),
    // before the window is painted again.
    CDialog& owner = window->m_owner;
    owner.m_textFitPending = true;
    QTimer::singleShot(0, window, [&owner] {
        if (owner.m_textFitPending)
            owner.fitTexts();
    });
}

void CDialog::checkLayoutMetrics()
{
    const FontCheck check = std::exchange(m_fontCheck, FontCheck::None);
    if (check == FontCheck::None || !m_window)
        return;
    TemplateFontMetrics checked = m_fontMetrics;
    if (check == FontCheck::Measure) {
        // A copy from another font configuration that slipped past its key,
        // or a font changed in place: the window moves its controls once.
        const bool editableList = hasEditableList(m_template);
        checked = measureTemplateFont(m_template.font, TemplateFontFamily(m_template.font), editableList);
        TemplateFontMetrics used = m_fontMetrics;
        if (!editableList)
            used.editListFieldHeight = 0; // not measured, and no control of this window needs it
        if (checked != used)
            placeControls(m_window.get(), checked);
    }
    if (FontMetricsCache* cache = ActiveFontMetricsCache())
        cache->confirm(m_template.font, checked);
}

void CDialog::createWindow()
{
    if (m_created)
        return;
    m_created = true;
    build();
    const bool focusFirst = OnInitDialog();
    m_textsInPlace = true;
    fitTexts();
    if (focusFirst)
        focusFirstControl();
}

void CDialog::focusFirstControl()
{
    for (const ControlTemplate& control : m_template.controls) {
        if (control.id == IDC_STATIC)
            continue;
        QWidget* widget = Control(control.id);
        if (widget && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

int CDialog::DoModal()
{
    if (m_ended)
        return m_result;
    createWindow();
    if (m_ended) // OnInitDialog ended the window
        return m_result;
    if (m_window->isVisible())
        m_window->hide(); // modality takes effect only on a fresh show
    m_window->exec();
    return m_ended ? m_result : IDCANCEL;
}

void CDialog::Create()
{
    if (m_created)
        return;
    createWindow();
    if (m_ended)
        return;
    m_window->show();
    m_window->activateWindow();
}

void CDialog::EndDialog(int result)
{
    m_ended = true;
    m_result = result;
    if (m_window)
        m_window->done(result);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    if (!m_window) {
        qWarning("Dialog %d: UpdateData before the window exists", m_template.resourceId);
        return false;
    }
    CDataExchange exchange(this, saveAndValidate);
    const DepthGuard lockout(m_updateDepth);
    try {
        DoDataExchange(&exchange);
    } catch (const DataExchangeFailure&) {
        return false; // the check told the user and moved the focus
    }
    return true;
}

QWidget* CDialog::Control(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CDialog::SetAccessibleName(int id, const QString& name)
{
    QWidget* control = Control(id);
    if (!control)
        return;
    control->setAccessibleName(name);
    if (!qobject_cast<QComboBox*>(control) || !control->parentWidget())
        return;
    const QString labelName = QStringLiteral("accessibleLabel%1").arg(id);
    auto* label = control->parentWidget()->findChild<QLabel*>(labelName, Qt::FindDirectChildrenOnly);
    if (!label) {
        label = new QLabel(control->parentWidget());
        label->setObjectName(labelName);
        label->hide();
        label->setBuddy(control);
    }
    label->setText(name);
}

CWnd* CDialog::GetDlgItem(int id)
{
    if (const auto it = m_items.find(id); it != m_items.end())
        return &it->second;
    QWidget* widget = Control(id);
    if (!widget)
        return nullptr;
    return &m_items.emplace(id, CWnd(widget)).first->second;
}

void CDialog::SetDlgItemTextQuietly(int id, const QString& text)
{
    const DepthGuard lockout(m_updateDepth);
    if (CWnd* control = GetDlgItem(id))
        control->SetWindowText(text);
}

CEdit CDialog::Edit(int id)
{
    return CEdit(Control(id));
}

CListBox CDialog::ListBox(int id)
{
    return CListBox(Control(id));
}

CProgressCtrl CDialog::Progress(int id)
{
    return CProgressCtrl(Control(id));
}

CComboBox CDialog::Combo(int id)
{
    return CComboBox(Control(id));
}

CButton CDialog::Button(int id)
{
    return CButton(Control(id));
}

int CDialog::DefaultButtonId() const
{
    for (const ControlTemplate& control : m_template.controls) {
        if (control.kind == ControlKind::DefPushButton)
            return control.id;
    }
    return IDOK;
}

void CDialog::SetWindowText(const QString& title)
{
    if (m_window)
        m_window->setWindowTitle(title);
}

QString CDialog::GetWindowText() const
{
    return m_window ? m_window->windowTitle() : QString::fromUtf8(m_template.caption);
}

void CDialog::On(Notification what, int id, std::function<void()> handler)
{
    const bool known =
        id == IDOK || id == IDCANCEL
        || std::any_of(m_template.controls.begin(), m_template.controls.end(),
                       [id](const ControlTemplate& control) { return control.id == id && id != IDC_STATIC; });
    if (!known)
        qFatal("Dialog %d: a handler is registered for control %d, which the template lacks", m_template.resourceId,
               id);
    m_handlers.emplace(std::make_pair(what, id), std::move(handler));
}

void CDialog::Notify(Notification what, int id)
{
    if (m_updateDepth > 0)
        return; // locked out while the data exchange runs
    if (m_notificationDepth >= kMaxNotificationDepth) {
        qWarning("Dialog %d: notification %d of control %d dropped, handlers nest too deep", m_template.resourceId,
                 static_cast<int>(what), id);
        return;
    }
    std::vector<std::function<void()>> handlers;
    const auto range = m_handlers.equal_range(std::make_pair(what, id));
    for (auto it = range.first; it != range.second; ++it)
        handlers.push_back(it->second);

    const DepthGuard depth(m_notificationDepth);

    if (handlers.empty()) {
        if (what == Notification::Clicked && id == IDOK)
            OnOK();
        else if (what == Notification::Clicked && id == IDCANCEL)
            OnCancel();
        return;
    }
    for (const auto& handler : handlers)
        handler();
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::ChineseMessages() const
{
    return m_chineseMessages < 0 ? ChineseToolMessages() : m_chineseMessages == 1;
}

} // namespace kestra::ui
