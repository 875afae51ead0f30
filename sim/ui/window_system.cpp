// Index: helpers; lookups; the core's hooks; dialogs (open, close, messages); window
// calls; drawing; front ends.
#include "window_system.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "bitmap.h"
#include "dialog_painter.h"
#include "sim/core/log.h"
#include "sim/simulator.h"

namespace sim {

namespace {

// --- Helpers -----------------------------------------------------------------------------

// Live drawing contexts and pens beyond these are refused: a module that takes contexts
// or pens without giving them back must not exhaust the host (the graphics interface
// has a per-process limit of the same order).
constexpr std::size_t kMaxContexts = 1000;
constexpr std::size_t kMaxGdiObjects = 10000;
// Rounds of closing before the windows that procedures keep reopening while others
// close are destroyed without messages.
constexpr int kMaxCloseRounds = 8;
// Rectangle coordinates are cut to this before they become pixels.
constexpr long kRectLimit = 1L << 30;

std::string hex(RawHandle h) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(h));
    return buf;
}

// "stale window handle 0x..." or "foreign handle 0x... where a window handle belongs".
std::string bad_handle(RawHandle h, HandleKind expected, const char* what) {
    if (handle_kind(h) != expected) return "foreign handle " + hex(h) + " where a " + what + " belongs";
    return "stale " + std::string(what) + " " + hex(h);
}

bool equal_without_case(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string escaped(const std::string& text) {
    std::string out = "\"";
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

PixelRect to_pixel_rect(const RECT& r) {
    auto cut = [](LONG v) { return int(std::clamp<long>(v, -kRectLimit, kRectLimit)); };
    int l = cut(r.left), t = cut(r.top), rr = cut(r.right), b = cut(r.bottom);
    if (l > rr) std::swap(l, rr);
    if (t > b) std::swap(t, b);
    return {l, t, rr, b};
}

}  // namespace

WindowSystem::WindowSystem(Simulator& sim) : sim_(sim) {
    auto pen = std::make_unique<GdiObject>();
    pen->stock = true;
    stock_pen_ = gdi_.insert(std::move(pen));
}

WindowSystem::~WindowSystem() {
    while (!dialogs_.empty()) destroy(dialogs_.back()->handle, false);
}

// --- Lookups -------------------------------------------------------------------------------

const WindowSystem::WindowRef* WindowSystem::find_window_ref(HWND window) const {
    return window ? windows_.find(raw(window)) : nullptr;
}

const WindowSystem::WindowRef* WindowSystem::checked_window(HWND window, const char* call) const {
    if (!window) return nullptr;
    const WindowRef* ref = windows_.find(raw(window));
    if (!ref) log().violation(call, bad_handle(raw(window), HandleKind::Window, "window handle"));
    return ref;
}

Dialog* WindowSystem::checked_dialog(HWND dialog, const char* call) {
    const WindowRef* ref = checked_window(dialog, call);
    return ref ? ref->dialog : nullptr;
}

WindowSystem::DeviceContext* WindowSystem::checked_dc(HDC dc, const char* call) {
    if (!dc) {
        log().violation(call, "null drawing context");
        return nullptr;
    }
    DeviceContext* c = dcs_.find(raw(dc));
    if (!c) log().violation(call, bad_handle(raw(dc), HandleKind::DC, "drawing context"));
    return c;
}

WindowSystem::GdiObject* WindowSystem::checked_object(HGDIOBJ object, const char* call) {
    if (!object) {
        log().violation(call, "null drawing object");
        return nullptr;
    }
    GdiObject* o = gdi_.find(raw(object));
    if (!o) log().violation(call, bad_handle(raw(object), HandleKind::Gdi, "drawing object"));
    return o;
}

Dialog* WindowSystem::find_dialog_of(RawHandle dialog) const {
    const WindowRef* ref = windows_.find(dialog);
    return ref && ref->control < 0 ? ref->dialog : nullptr;
}

Painter WindowSystem::painter(DeviceContext& dc, Dialog& target) {
    return Painter(target.client, dc.state, dc.ox, dc.oy, dc.clip);
}

// --- The core's hooks ----------------------------------------------------------------------

void WindowSystem::close_windows_of(const Module& module) {
    auto belongs = [&](const Dialog& d) {
        return d.instance == module.instance || (d.proc && module.contains(reinterpret_cast<const void*>(d.proc)));
    };
    for (int round = 0;; ++round) {
        std::vector<RawHandle> doomed;
        for (const auto& d : dialogs_)
            if (!d->closing && belongs(*d)) doomed.push_back(d->handle);
        if (doomed.empty()) return;
        const bool last_round = round == kMaxCloseRounds;
        if (last_round) log().warn("windows of module " + module.name + " keep reopening; destroyed without WM_DESTROY");
        for (auto h = doomed.rbegin(); h != doomed.rend(); ++h) destroy(*h, !last_round);
        if (last_round) return;
    }
}

void WindowSystem::close_all() {
    for (int round = 0;; ++round) {
        std::vector<RawHandle> doomed;
        for (const auto& d : dialogs_)
            if (!d->closing) doomed.push_back(d->handle);
        if (doomed.empty()) return;
        const bool last_round = round == kMaxCloseRounds;
        if (last_round) log().warn("windows keep reopening while all close; destroyed without WM_DESTROY");
        for (auto h = doomed.rbegin(); h != doomed.rend(); ++h) destroy(*h, !last_round);
        if (last_round) return;
    }
}

void WindowSystem::run_pending_repaints() {
    for (const auto& d : dialogs_) {
        if (d->invalid.empty()) continue;
        paint_client(*d, d->invalid, d->erase_pending);
        d->invalid = {};
        d->erase_pending = false;
    }
}

// --- Dialogs -------------------------------------------------------------------------------

HWND WindowSystem::open_dialog(HINSTANCE instance, int resource_id, DLGPROC proc, void* context) {
    const Module* module = instance ? sim_.modules().find(instance) : nullptr;
    if (!module) {
        log().violation("oapiOpenDialog", instance ? bad_handle(raw(instance), HandleKind::Module, "module instance")
                                                   : std::string("null module instance"));
        return nullptr;
    }
    if (HWND open = find_dialog(instance, resource_id)) return open;
    const DialogTemplate* tpl = module->dialog(resource_id);
    if (!tpl) {
        log().violation("oapiOpenDialog", "module " + module->name + " has no dialog resource " + std::to_string(resource_id));
        return nullptr;
    }
    return open(instance, resource_id, *tpl, proc, context, module, "oapiOpenDialog");
}

HWND WindowSystem::open_dialog(HINSTANCE instance, int resource_id, const DialogTemplate& tpl, DLGPROC proc,
                               void* context) {
    const Module* module = instance ? sim_.modules().find(instance) : nullptr;
    return open(instance, resource_id, tpl, proc, context, module, "open_dialog");
}

HWND WindowSystem::open(HINSTANCE instance, int resource_id, const DialogTemplate& tpl, DLGPROC proc, void* context,
                        const Module* module, const char* call) {
    if (HWND open = find_dialog(instance, resource_id)) return open;
    if (const std::string error = template_error(tpl); !error.empty()) {
        log().violation(call, "dialog " + std::to_string(resource_id) + ": " + error);
        return nullptr;
    }
    auto d = std::make_unique<Dialog>(build_dialog(tpl));
    d->instance = instance;
    d->resource_id = resource_id;
    d->proc = proc;
    d->context = context;
    d->client = Raster(d->width(), d->height(), kFaceColour);
    d->handle = windows_.insert(std::make_unique<WindowRef>(WindowRef{d.get(), -1}));
    RawHandle focus = 0;
    for (std::size_t i = 0; i < d->controls.size(); ++i) {
        Control& c = d->controls[i];
        c.handle = windows_.insert(std::make_unique<WindowRef>(WindowRef{d.get(), int(i)}));
        if (!focus && (c.style & WS_TABSTOP)) focus = c.handle;
        if (c.kind != ControlKind::StaticBitmap) continue;
        const BitmapResource* bmp = module ? module->bitmap(c.bitmap_id) : nullptr;
        std::string error = "no such bitmap resource";
        if (bmp) c.bitmap = decode_bmp(bmp->bmp, bmp->size, error);
        if (!c.bitmap) {
            log().warn(std::string(call) + ": dialog " + std::to_string(resource_id) + ", control " + std::to_string(c.id) +
                       ": bitmap " + std::to_string(c.bitmap_id) + ": " + error);
        } else if (!(c.style & SS_CENTERIMAGE)) {
            // A bitmap static takes the size of its picture.
            c.rect.right = c.rect.left + c.bitmap->width();
            c.rect.bottom = c.rect.top + c.bitmap->height();
        }
    }
    paint_client(*d, d->client.bounds(), true);
    const RawHandle handle = d->handle;
    dialogs_.push_back(std::move(d));
    send(handle, WM_INITDIALOG, WPARAM(focus), LPARAM(context));
    return find_dialog_of(handle) ? typed<HWND>(handle) : nullptr;
}

HWND WindowSystem::find_dialog(HINSTANCE instance, int resource_id) const {
    for (const auto& d : dialogs_)
        if (!d->closing && d->instance == instance && d->resource_id == resource_id) return typed<HWND>(d->handle);
    return nullptr;
}

void WindowSystem::close_dialog(HWND dialog) {
    const WindowRef* ref = checked_window(dialog, "oapiCloseDialog");
    if (!ref) return;
    if (ref->control >= 0) {
        log().violation("oapiCloseDialog", "window " + hex(raw(dialog)) + " is a control, not a dialog");
        return;
    }
    destroy(raw(dialog), true);
}

void WindowSystem::destroy(RawHandle handle, bool send_destroy) {
    Dialog* d = find_dialog_of(handle);
    if (!d || d->closing) return;
    d->closing = true;
    if (send_destroy) {
        send(handle, WM_DESTROY, 0, 0);
        d = find_dialog_of(handle);
        if (!d) return;
    }
    // Its drawing contexts end with it.
    std::vector<RawHandle> contexts;
    dcs_.for_each([&](RawHandle h, const DeviceContext& c) {
        if (c.dialog == handle) contexts.push_back(h);
    });
    for (const RawHandle h : contexts) {
        const auto c = dcs_.erase(h);
        if (GdiObject* pen = gdi_.find(c->pen)) --pen->selections;
    }
    for (const Control& c : d->controls) windows_.erase(c.handle);
    windows_.erase(handle);
    std::erase_if(dialogs_, [&](const std::unique_ptr<Dialog>& p) { return p.get() == d; });
}

INT_PTR WindowSystem::send(RawHandle dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    const Dialog* d = find_dialog_of(dialog);
    if (!d) return 0;
    const DLGPROC proc = d->proc;
    if (!proc) return default_dialog_proc(typed<HWND>(dialog), message, wparam, lparam);
    return proc(typed<HWND>(dialog), message, wparam, lparam);
}

INT_PTR WindowSystem::default_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    const WindowRef* ref = checked_window(dialog, "oapiDefDialogProc");
    if (!ref || ref->control >= 0) return 0;
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL)) destroy(raw(dialog), true);
    return 0;
}

void WindowSystem::command(RawHandle dialog, int control_index) {
    Dialog* d = find_dialog_of(dialog);
    if (!d) return;
    Control& pressed = d->controls[std::size_t(control_index)];
    if (pressed.kind == ControlKind::RadioButton) {
        const auto [first, last] = d->group_of(std::size_t(control_index));
        for (std::size_t i = first; i < last; ++i) {
            Control& c = d->controls[i];
            if (c.kind != ControlKind::RadioButton) continue;
            const bool checked = int(i) == control_index;
            if (c.checked == checked) continue;
            c.checked = checked;
            repaint(*d, c.rect);
        }
    }
    const WPARAM wparam = MAKEWPARAM(pressed.id, BN_CLICKED);
    const LPARAM lparam = LPARAM(pressed.handle);
    send(dialog, WM_COMMAND, wparam, lparam);
}

void WindowSystem::repaint(Dialog& dialog, const PixelRect& area) { paint_client(dialog, area, true); }

// --- Window calls ----------------------------------------------------------------------------

HWND WindowSystem::dlg_item(HWND dialog, int id) {
    const WindowRef* ref = checked_window(dialog, "GetDlgItem");
    if (!ref || ref->control >= 0) return nullptr;
    const Control* c = ref->dialog->control(id);
    return c ? typed<HWND>(c->handle) : nullptr;
}

BOOL WindowSystem::set_window_text(HWND window, const char* text) {
    const WindowRef* ref = checked_window(window, "SetWindowTextA");
    if (!ref) return FALSE;
    Dialog& d = *ref->dialog;
    if (ref->control < 0) {
        d.caption = text ? text : "";
        return TRUE;
    }
    Control& c = d.controls[std::size_t(ref->control)];
    const char* now = text ? text : "";
    // The same text again leaves the same pixels: no repaint (readouts are rewritten
    // every step, most of them unchanged).
    if (c.text == now) return TRUE;
    c.text = now;
    repaint(d, c.rect);
    return TRUE;
}

int WindowSystem::get_window_text(HWND window, char* buffer, int size) {
    if (!buffer || size <= 0) {
        checked_window(window, "GetWindowTextA");
        return 0;
    }
    buffer[0] = '\0';
    const WindowRef* ref = checked_window(window, "GetWindowTextA");
    if (!ref) return 0;
    const std::string& text = ref->control < 0 ? ref->dialog->caption : ref->dialog->controls[std::size_t(ref->control)].text;
    const std::size_t n = std::min(text.size(), std::size_t(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return int(n);
}

BOOL WindowSystem::check_radio_button(HWND dialog, int first_id, int last_id, int check_id) {
    const WindowRef* ref = checked_window(dialog, "CheckRadioButton");
    if (!ref) return FALSE;
    if (ref->control >= 0) return TRUE;  // a control has no controls of its own
    Dialog& d = *ref->dialog;
    for (Control& c : d.controls) {
        if (c.kind != ControlKind::RadioButton || c.id < first_id || c.id > last_id) continue;
        const bool checked = c.id == check_id;
        if (c.checked == checked) continue;
        c.checked = checked;
        repaint(d, c.rect);
    }
    return TRUE;
}

UINT WindowSystem::is_dlg_button_checked(HWND dialog, int id) {
    const WindowRef* ref = checked_window(dialog, "IsDlgButtonChecked");
    if (!ref || ref->control >= 0) return BST_UNCHECKED;
    const Control* c = ref->dialog->control(id);
    return c && c->kind == ControlKind::RadioButton && c->checked ? BST_CHECKED : BST_UNCHECKED;
}

int WindowSystem::message_box(HWND owner, const char* text, const char* caption, UINT) {
    if (owner && !checked_window(owner, "MessageBoxA")) return 0;
    MessageBoxRecord box{caption ? caption : "Error", text ? text : ""};
    const std::string line = "message box " + escaped(box.caption) + ": " + box.text;
    log().info(line);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    message_boxes_.push_back(std::move(box));
    return IDOK;
}

// --- Drawing -------------------------------------------------------------------------------

HDC WindowSystem::get_dc(HWND window) {
    const WindowRef* ref = checked_window(window, "GetDC");
    if (!ref) return nullptr;
    if (dcs_.size() >= kMaxContexts) {
        log().warn("GetDC: " + std::to_string(kMaxContexts) + " drawing contexts are out and not released; refused");
        return nullptr;
    }
    const Dialog& d = *ref->dialog;
    auto dc = std::make_unique<DeviceContext>();
    dc->window = raw(window);
    dc->dialog = d.handle;
    dc->pen = stock_pen_;
    if (ref->control < 0) {
        dc->clip = d.client.bounds();
    } else {
        const PixelRect& r = d.controls[std::size_t(ref->control)].rect;
        dc->ox = r.left;
        dc->oy = r.top;
        dc->clip = r.intersected(d.client.bounds());
    }
    ++gdi_.find(stock_pen_)->selections;
    return typed<HDC>(dcs_.insert(std::move(dc)));
}

int WindowSystem::release_dc(HWND window, HDC dc) {
    DeviceContext* c = checked_dc(dc, "ReleaseDC");
    if (!c) return 0;
    const bool matches = raw(window) == c->window;
    if (!matches)
        log().violation("ReleaseDC", "drawing context " + hex(raw(dc)) + " taken for window " + hex(c->window) +
                                         " released against window " + hex(raw(window)));
    // Released either way, so that a mismatched pair cannot pile up contexts.
    if (GdiObject* pen = gdi_.find(c->pen)) --pen->selections;
    dcs_.erase(raw(dc));
    return matches ? 1 : 0;
}

HPEN WindowSystem::create_pen(int style, int width, COLORREF colour) {
    if (gdi_.size() >= kMaxGdiObjects) {
        log().warn("CreatePen: " + std::to_string(kMaxGdiObjects) + " drawing objects exist and are not deleted; refused");
        return nullptr;
    }
    if (style != PS_SOLID) log().warn("CreatePen: pen style " + std::to_string(style) + " is drawn solid");
    auto pen = std::make_unique<GdiObject>();
    pen->pen = Pen{to_pixel(colour & 0xFFFFFFu), std::max(width, 1)};
    return typed<HPEN>(gdi_.insert(std::move(pen)));
}

HGDIOBJ WindowSystem::select_object(HDC dc, HGDIOBJ object) {
    DeviceContext* c = checked_dc(dc, "SelectObject");
    if (!c) return nullptr;
    GdiObject* o = checked_object(object, "SelectObject");
    if (!o) return nullptr;
    const RawHandle previous = c->pen;
    if (previous == raw(object)) return object;
    if (GdiObject* old = gdi_.find(previous)) --old->selections;
    ++o->selections;
    c->pen = raw(object);
    c->state.pen = o->pen;
    return typed<HGDIOBJ>(previous);
}

BOOL WindowSystem::delete_object(HGDIOBJ object) {
    GdiObject* o = checked_object(object, "DeleteObject");
    if (!o) return FALSE;
    if (o->stock) return TRUE;
    if (o->selections > 0) {
        log().violation("DeleteObject", "pen " + hex(raw(object)) + " deleted while selected into a drawing context");
        return FALSE;
    }
    gdi_.erase(raw(object));
    return TRUE;
}

BOOL WindowSystem::ellipse(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* c = checked_dc(dc, "Ellipse");
    if (!c) return FALSE;
    painter(*c, *find_dialog_of(c->dialog)).ellipse(left, top, right, bottom);
    return TRUE;
}

BOOL WindowSystem::polyline(HDC dc, const POINT* points, int count) {
    DeviceContext* c = checked_dc(dc, "Polyline");
    if (!c) return FALSE;
    if (count < 0 || (!points && count > 0)) {
        log().violation("Polyline", points ? "negative point count " + std::to_string(count) : std::string("null points"));
        return FALSE;
    }
    if (count < 2) return FALSE;
    painter(*c, *find_dialog_of(c->dialog)).polyline(points, count);
    return TRUE;
}

int WindowSystem::draw_text(HDC dc, const char* text, int length, RECT* box, UINT format) {
    DeviceContext* c = checked_dc(dc, "DrawTextA");
    if (!c) return 0;
    if (!text || !box) {
        log().violation("DrawTextA", text ? "null rectangle" : "null text");
        return 0;
    }
    const std::size_t n = length < 0 ? std::strlen(text) : strnlen(text, std::size_t(length));
    return painter(*c, *find_dialog_of(c->dialog)).draw_text(std::string_view(text, n), *box, format);
}

BOOL WindowSystem::invalidate_rect(HWND window, const RECT* rect, BOOL erase) {
    const WindowRef* ref = checked_window(window, "InvalidateRect");
    if (!ref) return FALSE;
    Dialog& d = *ref->dialog;
    PixelRect limit = d.client.bounds();
    int ox = 0, oy = 0;
    if (ref->control >= 0) {
        const PixelRect& control = d.controls[std::size_t(ref->control)].rect;
        limit = control.intersected(limit);
        ox = control.left;
        oy = control.top;
    }
    // A rectangle given the wrong way round is put right, as a region made from it is.
    const PixelRect area = rect ? to_pixel_rect(*rect).translated(ox, oy).intersected(limit) : limit;
    d.invalid = d.invalid.united(area);
    d.erase_pending = d.erase_pending || erase;
    return TRUE;
}

// --- Front ends ------------------------------------------------------------------------------

std::vector<HWND> WindowSystem::windows() const {
    std::vector<HWND> out;
    for (const auto& d : dialogs_)
        if (!d->closing) out.push_back(typed<HWND>(d->handle));
    return out;
}

HWND WindowSystem::find_window(const std::string& caption) const {
    for (const auto& d : dialogs_)
        if (!d->closing && d->caption == caption) return typed<HWND>(d->handle);
    for (const auto& d : dialogs_)
        if (!d->closing && equal_without_case(d->caption, caption)) return typed<HWND>(d->handle);
    return nullptr;
}

bool WindowSystem::press(HWND window, const std::string& button) {
    const WindowRef* ref = find_window_ref(window);
    if (!ref || ref->control >= 0) return false;
    int id = 0;
    const auto [end, ec] = std::from_chars(button.data(), button.data() + button.size(), id);
    if (ec == std::errc() && end == button.data() + button.size() && (ref->dialog->control(id) || id == IDCANCEL))
        return press(window, id);
    const std::vector<Control>& controls = ref->dialog->controls;
    auto by_caption = [&](auto&& same) {
        for (std::size_t i = 0; i < controls.size(); ++i)
            if (controls[i].notifies() && same(controls[i].text, button)) return int(i);
        return -1;
    };
    int index = by_caption([](const std::string& a, const std::string& b) { return a == b; });
    if (index < 0) index = by_caption(equal_without_case);
    if (index < 0) return false;
    command(raw(window), index);
    return true;
}

bool WindowSystem::press(HWND window, int id) {
    const WindowRef* ref = find_window_ref(window);
    if (!ref || ref->control >= 0) return false;
    const std::vector<Control>& controls = ref->dialog->controls;
    bool exists = false;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].id != id) continue;
        exists = true;
        if (!controls[i].notifies()) continue;
        command(raw(window), int(i));
        return true;
    }
    return !exists && id == IDCANCEL && press_close_box(window);
}

bool WindowSystem::press_close_box(HWND window) {
    const WindowRef* ref = find_window_ref(window);
    if (!ref || ref->control >= 0) return false;
    const Control* cancel = ref->dialog->control(IDCANCEL);
    send(raw(window), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), cancel ? LPARAM(cancel->handle) : 0);
    return true;
}

std::string WindowSystem::describe() const {
    std::string out;
    for (const auto& d : dialogs_) {
        if (d->closing) continue;
        out += "window " + escaped(d->caption) + " " + std::to_string(d->resource_id) + "\n";
        for (const Control& c : d->controls) {
            out += "  " + std::to_string(c.id) + " " + control_kind_name(c.kind) + " " + escaped(c.text);
            if (c.kind == ControlKind::RadioButton && c.checked) out += " checked";
            out += "\n";
        }
    }
    return out;
}

std::optional<Raster> WindowSystem::render(HWND window) const {
    const WindowRef* ref = find_window_ref(window);
    if (!ref) return std::nullopt;
    if (ref->control < 0) return render_window(*ref->dialog);
    return ref->dialog->client.cropped(ref->dialog->controls[std::size_t(ref->control)].rect);
}

PixelRect WindowSystem::client_area_in_render(HWND window) const {
    const WindowRef* ref = find_window_ref(window);
    if (!ref) return {};
    if (ref->control < 0) return client_in_window(*ref->dialog);
    const PixelRect r = ref->dialog->controls[std::size_t(ref->control)].rect.intersected(ref->dialog->client.bounds());
    return {0, 0, r.width(), r.height()};
}

bool WindowSystem::snapshot(HWND window, const std::filesystem::path& file) const {
    const std::optional<Raster> image = render(window);
    return image && image->write_png(file);
}

const Raster* WindowSystem::client_raster(HWND window) const {
    const WindowRef* ref = find_window_ref(window);
    return ref ? &ref->dialog->client : nullptr;
}

const Dialog* WindowSystem::dialog(HWND window) const {
    const WindowRef* ref = find_window_ref(window);
    return ref ? ref->dialog : nullptr;
}

}  // namespace sim
