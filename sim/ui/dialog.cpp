#include "dialog.h"

#include <algorithm>

namespace sim {

namespace {

// More controls than any dialog of this system has by far; a count beyond it is a
// broken template.
constexpr int kMaxControls = 1024;
// Dialog units beyond this are not a window's size or position (2500 units are some
// 4000 pixels).
constexpr int kMaxDialogUnits = 2500;

int clamp_units(int v) { return std::clamp(v, -kMaxDialogUnits, kMaxDialogUnits); }
int clamp_size(int v) { return std::clamp(v, 0, kMaxDialogUnits); }

}  // namespace

bool Control::notifies() const {
    if ((style & WS_VISIBLE) == 0) return false;
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::RadioButton:
        return true;
    case ControlKind::StaticText:
    case ControlKind::StaticBitmap:
        return (style & SS_NOTIFY) != 0;
    case ControlKind::GroupBox:
        return false;
    }
    return false;
}

Control* Dialog::control(int id) {
    for (Control& c : controls)
        if (c.id == id) return &c;
    return nullptr;
}

const Control* Dialog::control(int id) const { return const_cast<Dialog*>(this)->control(id); }

std::pair<std::size_t, std::size_t> Dialog::group_of(std::size_t index) const {
    std::size_t first = index;
    while (first > 0 && !controls[first].starts_group()) --first;
    std::size_t last = index + 1;
    while (last < controls.size() && !controls[last].starts_group()) ++last;
    return {first, last};
}

std::string template_error(const DialogTemplate& tpl) {
    if (tpl.control_count < 0 || tpl.control_count > kMaxControls)
        return "control count " + std::to_string(tpl.control_count) + " out of range";
    if (tpl.control_count > 0 && !tpl.controls) return "no control table for " + std::to_string(tpl.control_count) + " controls";
    for (int i = 0; i < tpl.control_count; ++i) {
        const int kind = int(tpl.controls[i].kind);
        if (kind < int(ControlKind::StaticText) || kind > int(ControlKind::GroupBox))
            return "control " + std::to_string(i) + " has unknown kind " + std::to_string(kind);
    }
    return {};
}

Dialog build_dialog(const DialogTemplate& tpl) {
    Dialog d;
    d.resource_id = tpl.id;
    d.style = tpl.style;
    d.ex_style = tpl.ex_style;
    d.caption = tpl.caption ? tpl.caption : "";
    d.font = tpl.font ? tpl.font : "";
    d.point_size = tpl.point_size;
    d.rect = du_rect_to_pixels(clamp_units(tpl.x), clamp_units(tpl.y), clamp_size(tpl.cx), clamp_size(tpl.cy));
    d.controls.reserve(std::size_t(std::max(tpl.control_count, 0)));
    for (int i = 0; i < tpl.control_count; ++i) {
        const ControlTemplate& t = tpl.controls[i];
        Control c;
        c.id = t.id;
        c.kind = t.kind;
        c.style = t.style;
        c.text = t.caption ? t.caption : "";
        c.rect = du_rect_to_pixels(clamp_units(t.x), clamp_units(t.y), clamp_size(t.cx), clamp_size(t.cy));
        c.bitmap_id = t.kind == ControlKind::StaticBitmap ? t.bitmap_id : 0;
        d.controls.push_back(std::move(c));
    }
    return d;
}

const char* control_kind_name(ControlKind kind) {
    switch (kind) {
    case ControlKind::StaticText: return "static";
    case ControlKind::StaticBitmap: return "bitmap";
    case ControlKind::PushButton: return "button";
    case ControlKind::RadioButton: return "radio";
    case ControlKind::GroupBox: return "groupbox";
    }
    return "unknown";
}

}  // namespace sim
