// Index: colours and helpers; the controls (static text, static bitmap, buttons, radio
// buttons, group boxes); the window frame.
#include "dialog_painter.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "font.h"
#include "painter.h"

namespace sim {

namespace {

// --- Colours and helpers ---------------------------------------------------------------

constexpr Pixel kHighlight = 0xFFFFFF;
constexpr Pixel kLight = 0xE3E3E3;
constexpr Pixel kShadow = 0xA0A0A0;
constexpr Pixel kDarkShadow = 0x696969;
constexpr Pixel kText = 0x000000;
constexpr Pixel kFrameColour = 0x646464;
constexpr Pixel kTitleColour = 0x2B579A;
constexpr Pixel kTitleText = 0xFFFFFF;
constexpr int kGroupCaptionIndent = 8;  // pixels from a group box's left edge to its caption
constexpr int kRadioBox = 13;           // diameter of a radio button's circle
constexpr int kRadioGap = 3;            // between the circle and the text

void hline(Raster& r, int x0, int x1, int y, Pixel p, const PixelRect& clip) { r.fill_span(y, x0, x1, p, clip); }
void vline(Raster& r, int x, int y0, int y1, Pixel p, const PixelRect& clip) {
    r.fill_rect(PixelRect{x, y0, x + 1, y1}.intersected(clip), p);
}

// A one-pixel rectangle outline: top and left in `top_left`, bottom and right in
// `bottom_right`.
void edge(Raster& r, const PixelRect& e, Pixel top_left, Pixel bottom_right, const PixelRect& clip) {
    if (e.empty()) return;
    hline(r, e.left, e.right, e.top, top_left, clip);
    vline(r, e.left, e.top, e.bottom, top_left, clip);
    hline(r, e.left, e.right, e.bottom - 1, bottom_right, clip);
    vline(r, e.right - 1, e.top, e.bottom, bottom_right, clip);
}

PixelRect inset(const PixelRect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

enum class Align { Left, Centre, Right };

int aligned_x(const PixelRect& box, int width, Align align) {
    switch (align) {
    case Align::Left: return box.left;
    case Align::Centre: return box.left + (box.width() - width) / 2;
    case Align::Right: return box.right - width;
    }
    return box.left;
}

// Greedy word wrapping into lines no wider than `width` (a word wider than that gets a
// line of its own and is clipped); line breaks in the text start new lines.
std::vector<std::string> wrap(std::string_view text, int width) {
    const Font& font = Font::gui();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view paragraph = text.substr(start, end - start);
        std::string line;
        std::size_t pos = 0;
        while (pos <= paragraph.size()) {
            std::size_t space = paragraph.find(' ', pos);
            if (space == std::string_view::npos) space = paragraph.size();
            const std::string_view word = paragraph.substr(pos, space - pos);
            std::string candidate = line.empty() ? std::string(word) : line + " " + std::string(word);
            if (!line.empty() && font.width(candidate) > width) {
                lines.push_back(line);
                line = std::string(word);
            } else {
                line = std::move(candidate);
            }
            pos = space + 1;
        }
        lines.push_back(line);
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

std::string first_line(std::string_view text) { return std::string(text.substr(0, text.find_first_of("\r\n"))); }

void draw_line(Raster& r, std::string_view text, const PixelRect& box, int y, Align align, Pixel colour,
               const PixelRect& clip) {
    const Font& font = Font::gui();
    font.draw(r, text, aligned_x(box, font.width(text), align), y, colour, box.intersected(clip));
}

// One line, centred both ways in `box`.
void draw_centred(Raster& r, std::string_view text, const PixelRect& box, Pixel colour, const PixelRect& clip) {
    draw_line(r, text, box, box.top + (box.height() - Font::gui().height()) / 2, Align::Centre, colour, clip);
}

// --- Controls ----------------------------------------------------------------------------

void paint_static_text(Raster& r, const Control& c, const PixelRect& clip) {
    r.fill_rect(c.rect.intersected(clip), kFaceColour);
    PixelRect box = c.rect;
    if (c.style & SS_SUNKEN) {
        edge(r, box, kShadow, kHighlight, clip);
        box = inset(box, 1);
    }
    const DWORD type = c.style & SS_TYPEMASK;
    const Align align = type == SS_CENTER ? Align::Centre : type == SS_RIGHT ? Align::Right : Align::Left;
    const int line_height = Font::gui().height();
    if (c.style & SS_CENTERIMAGE) {
        // One line, centred vertically.
        draw_line(r, first_line(c.text), box, box.top + (box.height() - line_height) / 2, align, kText, clip);
        return;
    }
    // Words wrap in a control tall enough for two lines; a one-line label keeps its text
    // on its one line (clipped), rather than losing all but the first word to a second
    // line it cannot show.
    const std::vector<std::string> lines =
        box.height() >= 2 * line_height ? wrap(c.text, box.width()) : std::vector<std::string>{first_line(c.text)};
    int y = box.top;
    for (const std::string& line : lines) {
        if (y >= box.bottom) break;
        draw_line(r, line, box, y, align, kText, clip);
        y += line_height;
    }
}

void paint_static_bitmap(Raster& r, const Control& c, const PixelRect& clip) {
    r.fill_rect(c.rect.intersected(clip), kFaceColour);
    if (!c.bitmap) return;
    int x = c.rect.left, y = c.rect.top;
    if (c.style & SS_CENTERIMAGE) {
        x += (c.rect.width() - c.bitmap->width()) / 2;
        y += (c.rect.height() - c.bitmap->height()) / 2;
    }
    r.blit(*c.bitmap, x, y, c.rect.intersected(clip));
}

// A push button, or a push-like radio button (sunken while checked).
void paint_push(Raster& r, const Control& c, const PixelRect& clip) {
    PixelRect box = c.rect;
    const bool sunken = c.kind == ControlKind::RadioButton && c.checked;
    r.fill_rect(box.intersected(clip), kFaceColour);
    if (c.kind == ControlKind::PushButton && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        edge(r, box, kText, kText, clip);
        box = inset(box, 1);
    }
    if (sunken) {
        edge(r, box, kDarkShadow, kHighlight, clip);
        edge(r, inset(box, 1), kShadow, kLight, clip);
        // The face of a checked button is dithered with the highlight colour.
        const PixelRect face = inset(box, 2).intersected(clip).intersected(r.bounds());
        for (int y = face.top; y < face.bottom; ++y)
            for (int x = face.left + ((face.left + y) & 1); x < face.right; x += 2) r.row(y)[x] = kHighlight;
        r.mark_dirty();
        draw_centred(r, c.text, inset(box, 1).translated(1, 1), kText, inset(box, 1).intersected(clip));
    } else {
        edge(r, box, kHighlight, kDarkShadow, clip);
        edge(r, inset(box, 1), kLight, kShadow, clip);
        draw_centred(r, c.text, inset(box, 1), kText, clip);
    }
}

void paint_radio(Raster& r, const Control& c, const PixelRect& clip) {
    r.fill_rect(c.rect.intersected(clip), kFaceColour);
    const int top = c.rect.top + (c.rect.height() - kRadioBox) / 2;
    DrawState state;
    state.pen = {kShadow, 1};
    Painter p(r, state, 0, 0, c.rect.intersected(clip));
    p.ellipse(c.rect.left, top, c.rect.left + kRadioBox, top + kRadioBox);
    if (c.checked) {
        state.pen = {kText, 1};
        state.brush = kText;
        p.ellipse(c.rect.left + 4, top + 4, c.rect.left + kRadioBox - 4, top + kRadioBox - 4);
    }
    const PixelRect text{c.rect.left + kRadioBox + kRadioGap, c.rect.top, c.rect.right, c.rect.bottom};
    draw_line(r, c.text, text, c.rect.top + (c.rect.height() - Font::gui().height()) / 2, Align::Left, kText, clip);
}

void paint_group_box(Raster& r, const Control& c, const PixelRect& clip) {
    const Font& font = Font::gui();
    const int frame_top = c.rect.top + font.height() / 2;
    const PixelRect frame{c.rect.left, frame_top, c.rect.right, c.rect.bottom};
    // Etched: a shadow line with a highlight line one pixel below and to the right.
    edge(r, PixelRect{frame.left, frame.top, frame.right - 1, frame.bottom - 1}, kShadow, kShadow, clip);
    edge(r, PixelRect{frame.left + 1, frame.top + 1, frame.right, frame.bottom}, kHighlight, kHighlight, clip);
    if (c.text.empty()) return;
    const int text_width = font.width(c.text);
    const PixelRect caption{c.rect.left + kGroupCaptionIndent, c.rect.top,
                            std::min(c.rect.left + kGroupCaptionIndent + text_width + 4, c.rect.right - 2),
                            c.rect.top + font.height()};
    r.fill_rect(caption.intersected(clip), kFaceColour);
    font.draw(r, c.text, caption.left + 2, caption.top, kText, caption.intersected(clip));
}

}  // namespace

void paint_control(Raster& raster, const Control& control, const PixelRect& clip) {
    if ((control.style & WS_VISIBLE) == 0) return;
    switch (control.kind) {
    case ControlKind::StaticText: paint_static_text(raster, control, clip); break;
    case ControlKind::StaticBitmap: paint_static_bitmap(raster, control, clip); break;
    case ControlKind::PushButton: paint_push(raster, control, clip); break;
    case ControlKind::RadioButton:
        if (control.style & BS_PUSHLIKE)
            paint_push(raster, control, clip);
        else
            paint_radio(raster, control, clip);
        break;
    case ControlKind::GroupBox: paint_group_box(raster, control, clip); break;
    }
}

void paint_client(Dialog& dialog, const PixelRect& area, bool erase) {
    const PixelRect a = area.intersected(dialog.client.bounds());
    if (a.empty()) return;
    if (erase) dialog.client.fill_rect(a, kFaceColour);
    for (const Control& c : dialog.controls)
        if (!c.rect.intersected(a).empty()) paint_control(dialog.client, c, a);
}

// --- Window frame -------------------------------------------------------------------------

PixelRect client_in_window(const Dialog& dialog) {
    const int title = (dialog.style & WS_CAPTION) == WS_CAPTION ? kTitleBarHeight : 0;
    return {kFrameBorder, kFrameBorder + title, kFrameBorder + dialog.client.width(),
            kFrameBorder + title + dialog.client.height()};
}

Raster render_window(const Dialog& dialog) {
    const PixelRect client = client_in_window(dialog);
    Raster out(client.right + kFrameBorder, client.bottom + kFrameBorder, kFrameColour);
    if (client.top > kFrameBorder) {
        const PixelRect bar{kFrameBorder, kFrameBorder, client.right, client.top};
        out.fill_rect(bar, kTitleColour);
        PixelRect text_box{bar.left + 6, bar.top, bar.right, bar.bottom};
        if (dialog.style & WS_SYSMENU) {
            // The close box: a cross in a square at the bar's right end.
            const int side = bar.height();
            text_box.right = bar.right - side;
            DrawState state;
            state.pen = {kTitleText, 2};
            Painter p(out, state, 0, 0, bar);
            const int x0 = bar.right - side + 6, y0 = bar.top + 6, x1 = bar.right - 7, y1 = bar.bottom - 7;
            const POINT a[2] = {{x0, y0}, {x1, y1}}, b[2] = {{x0, y1}, {x1, y0}};
            p.polyline(a, 2);
            p.polyline(b, 2);
        }
        const Font& font = Font::gui();
        font.draw(out, dialog.caption, text_box.left, bar.top + (bar.height() - font.height()) / 2, kTitleText, text_box);
    }
    out.blit(dialog.client, client.left, client.top, client);
    return out;
}

}  // namespace sim
