#include "ui/measured_overlay.h"

namespace trazel::ui {

MeasuredOverlay::MeasuredOverlay(const platform::Services& services, QWidget* dialogParent)
    : services_(services), dialogParent_(dialogParent) {}

MeasuredOverlay::~MeasuredOverlay() = default;

const MeasuredData* MeasuredOverlay::Current() const {
    return current_.get();
}

void MeasuredOverlay::ChooseAndLoad() {}

bool MeasuredOverlay::Load(const std::string&, const input::MeasuredOptions&) {
    return false;
}

void MeasuredOverlay::EditOptions() {}

void MeasuredOverlay::Clear() {
    current_.reset();
    emit Changed();
}

void MeasuredOverlay::DocumentChanged(const std::string&) {}

}  // namespace trazel::ui
