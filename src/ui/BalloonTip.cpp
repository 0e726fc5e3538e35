// SPDX-License-Identifier: Apache-2.0
#include "ui/BalloonTip.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace kestra::ui {

namespace {

// cos 45°: the text sits in the square inscribed in the ellipse.
constexpr double kInscribedSquare = 0.7071085623775818;
constexpr int kPointerWidth = 10;
constexpr int kFontPixelHeight = 14; // the height of a line of text

struct Shape {
    QRect ellipse;
    QPolygon pointer;
    QRect text;
};

Shape ShapeFor(int width, int height)
{
    const int w = width - kPointerWidth;
    const int h = height;
    const int dx = static_cast<int>(w * 0.5 * kInscribedSquare);
    const int dy = static_cast<int>(h * 0.5 * kInscribedSquare);
    Shape shape;
    // Left, top, right and bottom as the window system counts them: right and
    // bottom lie just outside (38, 12, 172, 68 for 200 x 80).
    const int left = w / 2 - dx + kPointerWidth;
    const int top = h / 2 - dy;
    shape.text = QRect(left, top, (w / 2 + dx + kPointerWidth) - left, (h / 2 + dy) - top);
    shape.ellipse = QRect(kPointerWidth, 0, w, h);
    shape.pointer = QPolygon({QPoint(0, height / 2 - 10), QPoint(15, height / 2 - 5), QPoint(15, height / 2 + 5)});
    return shape;
}

} // namespace

// The balloon's own window: painted, never activated, never focused.
class CBalloonTip::Window : public QWidget {
public:
    Window(CBalloonTip& owner, QWidget* parent)
        : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), m_owner(owner)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
        setObjectName(QStringLiteral("balloonTip"));
        setFont(TextFont());
    }

    Shape shape;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath body;
        body.addEllipse(shape.ellipse);
        QPainterPath pointer;
        pointer.addPolygon(shape.pointer);
        pointer.closeSubpath();
        const QPainterPath outline = body.united(pointer);
        painter.fillPath(outline, m_owner.m_fillColour);
        painter.setPen(QPen(m_owner.m_frameColour, 2));
        painter.drawPath(outline);

        painter.setPen(m_owner.m_textColour);
        const QRect textRect = shape.text;
        // A wrapped text whose lines (a fallback font for a full-width colon,
        // say, makes them taller) would run out of the balloon gets a smaller
        // font instead of losing its last line.
        QFont font = TextFont();
        int flags = TextFlags(QFontMetrics(font), textRect, m_owner.m_text);
        while ((flags & Qt::TextWordWrap) && font.pixelSize() > 8
               && QFontMetrics(font).boundingRect(textRect, flags, m_owner.m_text).height() > textRect.height()) {
            font.setPixelSize(font.pixelSize() - 1);
            flags = TextFlags(QFontMetrics(font), textRect, m_owner.m_text);
        }
        painter.setFont(font);
        painter.drawText(textRect, flags, m_owner.m_text);
    }

private:
    CBalloonTip& m_owner;
};

// Clicks that reach the owner window itself: on its background, or passed on
// by a label or a frame, which take no clicks of their own; and clicks on its
// title bar or a move of the window, after which the balloon points nowhere.
class CBalloonTip::OwnerEvents : public QObject {
public:
    OwnerEvents(CBalloonTip& balloon, QObject* parent) : QObject(parent), m_balloon(balloon) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::ContextMenu:
            m_balloon.RelayEvent(static_cast<QWidget*>(watched), event);
            break;
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Move:
            m_balloon.Hide();
            break;
        default:
            break;
        }
        return false;
    }

private:
    CBalloonTip& m_balloon;
};

CBalloonTip::CBalloonTip()
{
    cursorPosition = [] { return QCursor::pos(); };
    screenGeometry = [this] {
        QScreen* screen = m_owner ? m_owner->screen() : QGuiApplication::primaryScreen();
        return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    };
    widgetAt = [](QPoint point) { return QApplication::widgetAt(point); };
}

CBalloonTip::~CBalloonTip()
{
    if (m_hideTimer)
        m_hideTimer->stop();
    if (m_showTimer)
        m_showTimer->stop();
    m_tools.clear();
}

void CBalloonTip::SetWidth(int width)
{
    m_width = width;
}

void CBalloonTip::SetHeight(int height)
{
    m_height = height;
}

void CBalloonTip::SetFillColour(QColor colour)
{
    m_fillColour = colour;
}

void CBalloonTip::SetFrameColour(QColor colour)
{
    m_frameColour = colour;
}

bool CBalloonTip::Create(QWidget* owner)
{
    m_owner = owner;
    m_window = std::make_unique<Window>(*this, owner);
    m_window->setGeometry(0, 0, m_width, m_height);
    m_window->shape = ShapeFor(m_width, m_height);
    m_textRect = m_window->shape.text;
    QRegion region(m_window->shape.ellipse, QRegion::Ellipse);
    region = region.united(QRegion(m_window->shape.pointer));
    if (region.isEmpty())
        return false;
    m_window->setMask(region);

    m_hideTimer = new QTimer(m_window.get());
    m_hideTimer->setSingleShot(true);
    QObject::connect(m_hideTimer, &QTimer::timeout, m_window.get(), [this] { OnHideTimer(); });
    m_showTimer = new QTimer(m_window.get());
    QObject::connect(m_showTimer, &QTimer::timeout, m_window.get(), [this] { OnShowTimer(); });
    if (owner)
        owner->installEventFilter(new OwnerEvents(*this, m_window.get()));
    return true;
}

void CBalloonTip::AddTool(QWidget* control, const QString& text, QColor textColour, int hideSeconds, int showDelayMs)
{
    if (!control)
        return;
    m_tools[control] = Tool{text, textColour, hideSeconds < 0 ? kDefaultHideSeconds : hideSeconds,
                            showDelayMs < 0 ? kDefaultShowDelayMs : showDelayMs};
}

void CBalloonTip::RelayEvent(QWidget* control, QEvent* event)
{
    if (!m_window)
        return;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ContextMenu:
        Hide();
        return;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        break;
    default:
        return;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
        Hide();
        return;
    }
    if (mouse->button() != Qt::LeftButton)
        return;
    // A click that reaches the program while none of its windows has the
    // keyboard focus (it works in the background) changes nothing.
    if (!QApplication::focusWidget())
        return;
    const QPoint point = mouse->globalPosition().toPoint();
    const auto tool = m_tools.find(control);
    if (m_currentTool) {
        const QRect current(m_currentTool->mapToGlobal(QPoint(0, 0)), m_currentTool->size());
        if (current.contains(point))
            return; // a second click in the same control leaves the balloon as it is
        Hide();
        m_currentTool = nullptr;
    }
    if (tool == m_tools.end())
        return;
    m_textColour = tool->second.textColour;
    m_text = tool->second.text;
    m_window->setAccessibleName(m_text);
    m_window->update();
    ShowAt(point.x(), point.y(), tool->second.hideSeconds, tool->second.showDelayMs);
    m_currentTool = control;
}

void CBalloonTip::ShowAt(int x, int y, int hideSeconds, int showDelayMs)
{
    if (!m_window)
        return;
    const QRect screen = screenGeometry();
    x = std::max(x, 0);
    y = std::max(y, 0);
    if (y + m_height > screen.bottom() + 1)
        y = screen.bottom() + 1 - m_height;
    if (x + m_width > screen.right() + 1)
        x = screen.right() + 1 - m_width;
    // A tool-tip window stays above the owner without being raised.
    m_window->setGeometry(x, y, m_width, m_height);

    m_hideTimer->stop();
    if (hideSeconds > 0)
        m_hideTimer->start(hideSeconds * 1000);
    m_showTimer->stop();
    if (showDelayMs > 0)
        m_showTimer->start(showDelayMs);
}

void CBalloonTip::Hide()
{
    if (!m_window || !m_window->isVisible())
        return;
    m_window->hide();
    m_hideTimer->stop();
    m_showTimer->stop();
}

void CBalloonTip::OnHideTimer()
{
    m_hideTimer->stop();
    m_showTimer->stop();
    m_window->hide();
}

void CBalloonTip::OnShowTimer()
{
    // Shown only while the cursor is over one of the owner's controls; the
    // timer goes on asking until the hide timer ends it.
    QWidget* under = widgetAt(cursorPosition());
    if (under && m_owner && under != m_owner && m_owner->isAncestorOf(under) && under != m_window.get())
        m_window->show();
}

QFont CBalloonTip::TextFont()
{
    // A font height of 14 is the height of a text line (the character cell)
    // where the balloon comes from; Qt's pixel size is the smaller em size, so
    // take the largest one whose lines are no taller.
    static const QFont font = [] {
        QFont f(QStringLiteral("Arial"));
        for (int pixels = kFontPixelHeight; pixels > 6; --pixels) {
            f.setPixelSize(pixels);
            if (QFontMetrics(f).height() <= kFontPixelHeight)
                break;
        }
        return f;
    }();
    return font;
}

int CBalloonTip::TextFlags(const QFontMetrics& metrics, const QRect& rect, const QString& text)
{
    if (metrics.horizontalAdvance(text) < rect.width())
        return Qt::AlignCenter | Qt::TextSingleLine;
    return Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
}

QWidget* CBalloonTip::window() const
{
    return m_window.get();
}

bool CBalloonTip::IsVisible() const
{
    return m_window && m_window->isVisible();
}

QString CBalloonTip::Text() const
{
    return m_text;
}

QRect CBalloonTip::TextRect() const
{
    return m_textRect;
}

QWidget* CBalloonTip::CurrentTool() const
{
    return m_currentTool;
}

} // namespace kestra::ui
