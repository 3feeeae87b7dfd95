#pragma once

#include <array>
#include <string>
#include <utility>

#include "output/screen_graph.h"
#include "platform/qt/dialog_template.h"
#include "ui/control_ids.h"

namespace trazel::ui {

// The main form's template, shared by the window, which builds its controls
// from it, and by the command line's picture of the graph, which puts the
// graph's labels where the window has them. It needs QtGui only.

// Template 101 in template order, which is also the tab order.
extern const platform::DialogTemplate kFormTemplate;

// The label controls around the graph box, each with its text.
std::array<std::pair<int, std::string>, 6> GraphLabelControls(const output::GraphLabels& labels);

}  // namespace trazel::ui
