// SPDX-License-Identifier: Apache-2.0
#pragma once

// Fitting the texts of a window's controls into the rectangles the template
// gives them. Internal to the dialog layer.

#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

class QGroupBox;
class QWidget;

namespace kestra::ui {

// What a fit taken before a window was first shown leaves for after its
// first paint, when the fonts it measures are loaded anyway: a stored fit to
// check against the texts measured, or a measured fit to store.
class TextFitCheck {
public:
    // One control's part of a fit's outcome.
    struct ControlState {
        QRect geometry;
        QFont font;
        QString fit;
        bool operator==(const ControlState& other) const = default;
    };

    bool pending() const { return m_check || m_store; }
    // Until the check after the first paint, a fit with no stored copy
    // takes the template's own layout (no control refitted) and is measured
    // once the window has painted, as a stored fit is: for a window placed
    // from a first guess, before which nothing has asked the font system.
    void guessUntilChecked() { m_guess = true; }
    // Measures from the state the stored fit started at; a fit that differs
    // replaces it, on screen and in the cache. Then writes the cache.
    void run(QWidget* window, const std::vector<QWidget*>& controls, const std::vector<QRect>& placed);

private:
    friend void FitTexts(QWidget*, const std::vector<QWidget*>&, const std::vector<QRect>&, TextFitCheck&);
    std::vector<ControlState> m_before;
    bool m_check = false;
    bool m_store = false;
    bool m_guess = false;
};

// Lays out again every control of `controls` whose text (a label's, a
// button's, a group-box title, a list's longest entry with the style's own
// margin before the arrow) needs more room than its template rectangle in
// `placed` gives it. The control keeps its place
// and takes, in this order: free room beside it (to the right, up to the next
// control or the end of its frame or window), free room below it (labels,
// whose text wraps), then the same family at a narrower width. A control
// whose text fits goes back to its template rectangle and the window's font.
// How a control was fitted is left in its "layoutFit" property ("wider",
// "taller", "narrower font 85%", or empty).
//
// Measuring texts loads every font they need, the CJK one included, so with
// a FontMetricsCache in use a window not yet shown takes a stored fit for
// exactly its present texts, places, fonts and style instead, and measures
// once it has painted (`check`); a stored fit that proves wrong is replaced
// on screen and in the cache.
void FitTexts(QWidget* window, const std::vector<QWidget*>& controls, const std::vector<QRect>& placed,
              TextFitCheck& check);

// Where the style draws a frame's title, in the frame's coordinates.
QRect GroupTitleRect(const QGroupBox* group);

} // namespace kestra::ui
