// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class QEvent;
class QFontMetrics;
class QTimer;
class QWidget;

namespace kestra::ui {

// The balloon hint of the MMS, SMTP and SMS windows: a frameless top-level
// window shaped as an ellipse with a pointer on its left, filled and framed in
// the owner's colours, showing one line or a few wrapped lines of text. The
// owner registers controls with a hint each and relays its controls' mouse and
// key presses; a click into a registered control shows the balloon at the
// click point after a short delay, while the cursor is over one of the owner's
// controls, and hides it after a few seconds, on a key press or a right click,
// or on a click outside that control: on another control, a label, a frame,
// the owner's background or its title bar. A left click while no window of
// the program has the keyboard focus is ignored. The balloon names itself by
// its text for screen readers.
class CBalloonTip {
public:
    static constexpr int kDefaultHideSeconds = 5;
    static constexpr int kDefaultShowDelayMs = 200;

    CBalloonTip();
    ~CBalloonTip();
    CBalloonTip(const CBalloonTip&) = delete;
    CBalloonTip& operator=(const CBalloonTip&) = delete;

    // Size and colours; set before Create (the shape is computed there).
    void SetWidth(int width);
    void SetHeight(int height);
    void SetFillColour(QColor colour);
    void SetFrameColour(QColor colour);

    // Creates the hidden balloon window owned by `owner`, and watches the
    // clicks that reach the owner itself (its background, and labels and
    // frames, which pass their clicks on), which no control relays. Returns
    // false when the shape cannot be made.
    bool Create(QWidget* owner);
    // Registers `control`; an earlier hint for it is replaced. A negative hide
    // time or show delay takes the default; 0 stays 0 (a show delay of 0
    // never shows the balloon).
    void AddTool(QWidget* control, const QString& text, QColor textColour = Qt::black, int hideSeconds = -1,
                 int showDelayMs = -1);
    // The owner's controls' events: mouse presses, key presses, right clicks.
    void RelayEvent(QWidget* control, QEvent* event);
    // Places the balloon at (x, y) in screen pixels, kept on the screen, and
    // starts the hide and show timers.
    void ShowAt(int x, int y, int hideSeconds, int showDelayMs);
    void Hide();

    QWidget* window() const;
    bool IsVisible() const;
    QString Text() const;
    // Where the text is drawn, in the balloon's own pixels.
    QRect TextRect() const;
    QWidget* CurrentTool() const;

    // The text's font, and how a text is drawn in `rect`: centred on one line
    // when it is narrower than the rectangle, otherwise centred and word-wrapped
    // from the top.
    static QFont TextFont();
    static int TextFlags(const QFontMetrics& metrics, const QRect& rect, const QString& text);

    // Seams for tests: where the cursor is, the screen's size and the widget
    // under a screen point. By default the real cursor, the owner's screen and
    // QApplication::widgetAt.
    std::function<QPoint()> cursorPosition;
    std::function<QRect()> screenGeometry;
    std::function<QWidget*(QPoint)> widgetAt;

private:
    class Window;
    class OwnerEvents;
    struct Tool {
        QString text;
        QColor textColour;
        int hideSeconds;
        int showDelayMs;
    };

    void OnHideTimer();
    void OnShowTimer();

    QWidget* m_owner = nullptr;
    std::unique_ptr<Window> m_window;
    std::map<QWidget*, Tool> m_tools;
    QWidget* m_currentTool = nullptr;
    int m_width = 200;
    int m_height = 80;
    QColor m_fillColour{249, 254, 188};
    QColor m_frameColour{0, 0, 255};
    QColor m_textColour{Qt::black};
    QString m_text;
    QRect m_textRect;
    QTimer* m_hideTimer = nullptr;
    QTimer* m_showTimer = nullptr;
};

} // namespace kestra::ui
