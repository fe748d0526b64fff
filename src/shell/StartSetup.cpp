#include "shell/StartSetup.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "screen/surface/Canvas.h"
#include "screen/surface/Raster.h"
#include "shell/DialogLook.h"

namespace qs {

namespace {

using namespace dialog;

constexpr Rgb kNoticeText = MakeRgb(192, 0, 0);
constexpr Rgb kTitleLeft = MakeRgb(10, 36, 106);
constexpr Rgb kTitleRight = MakeRgb(166, 202, 240);

constexpr int kDialogWidth = 500;
constexpr int kDialogHeight = 180;
constexpr int kClientTop = kFrame + kTitleHeight + 1;
constexpr int kContentWidth = kDialogWidth - 2 * kMargin;
constexpr int kIntroY = 12;
constexpr int kNormalY = 38;
constexpr int kSliderY = 54;
constexpr int kSliderHeight = 34;
constexpr int kThumbInset = 4;  // from the slider control's top to the thumb's
constexpr int kThumbWidth = 11;
constexpr int kThumbHeight = 21;
constexpr int kThumbBody = 15;  // rows above the point
constexpr int kStep = 8;
constexpr int kChannelInset = 4;  // from the slider control's sides to the groove's
constexpr int kTrackWidth = kSpeedSliderMax * kStep + kThumbWidth + 1 + 2 * kChannelInset;
constexpr int kCaptionY = 90;
constexpr int kButtonY = 120;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kLabelGap = 8;

constexpr int kTextPt = 9;

const char* const kCaption = "Allgemeine Programmeinstellungen";
const char* const kIntro =
    "Hier k\xF6nnen Sie die Geschwindigkeit des Programms auf Ihren Rechner einstellen.";
const char* const kNormal = "normal = 1";
const char* const kFaster = "schneller";
const char* const kSlower = "langsamer";
const char* const kOkText = "OK";
const char* const kCancelText = "Abrechen";

int Clamp(int p) { return std::clamp(p, 0, kSpeedSliderMax); }

Rect Offset(Rect r, int dx, int dy) {
    return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

void HLine(Bitmap& b, int x1, int x2, int y, Rgb c) { FillRect(b, Rect{x1, y, x2, y + 1}, c); }
void VLine(Bitmap& b, int x, int y1, int y2, Rgb c) { FillRect(b, Rect{x, y1, x + 1, y2}, c); }

// A one-pixel frame: topLeft on the top and left edges, bottomRight on the
// bottom and right ones.
void Frame(Bitmap& b, const Rect& r, Rgb topLeft, Rgb bottomRight) {
    HLine(b, r.left, r.right - 1, r.top, topLeft);
    VLine(b, r.left, r.top, r.bottom - 1, topLeft);
    HLine(b, r.left, r.right, r.bottom - 1, bottomRight);
    VLine(b, r.right - 1, r.top, r.bottom, bottomRight);
}

Rect Inset(const Rect& r, int d) { return Rect{r.left + d, r.top + d, r.right - d, r.bottom - d}; }

// The raised two-pixel edge of panels and buttons.
void RaisedEdge(Bitmap& b, const Rect& r, Rgb outerLight) {
    Frame(b, r, outerLight, kDarkShadow);
    Frame(b, Inset(r, 1), kLight, kShadow);
}

void Plot(Bitmap& b, int x, int y, Rgb c) {
    if (b.Bounds().Contains(x, y)) b.SetPixel(x, y, c);
}

// The dotted rectangle that marks the control with the keyboard focus.
void FocusRect(Bitmap& b, const Rect& r) {
    for (int x = r.left; x < r.right; x += 2) {
        Plot(b, x, r.top, kText);
        Plot(b, x, r.bottom - 1, kText);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        Plot(b, r.left, y, kText);
        Plot(b, r.right - 1, y, kText);
    }
}

Rgb Mix(Rgb a, Rgb b, int num, int den) {
    auto channel = [&](int shift) {
        const int ca = static_cast<int>((a >> shift) & 255);
        const int cb = static_cast<int>((b >> shift) & 255);
        return ca + (cb - ca) * num / den;
    };
    return MakeRgb(channel(16), channel(8), channel(0));
}

void DrawCentred(Bitmap& b, Font& font, const Rect& r, const std::string& text, Rgb colour) {
    const int x = r.left + (r.Width() - font.TextWidth(text)) / 2;
    const int y = r.top + (r.Height() - font.Height()) / 2;
    font.Draw(b, x, y, text, colour);
}

void DrawButton(Bitmap& b, Font& font, const Rect& r, const std::string& text, bool isDefault,
                bool pressed, bool focused) {
    FillRect(b, r, kFace);
    Rect face = r;
    if (isDefault || pressed) {
        Frame(b, r, kText, kText);
        face = Inset(r, 1);
    }
    if (pressed) {
        Frame(b, face, kShadow, kShadow);
    } else {
        RaisedEdge(b, face, kFace);
    }
    DrawCentred(b, font, pressed ? Offset(face, 1, 1) : face, text, kText);
    if (focused) FocusRect(b, Inset(r, 4));
}

// The [x] of the title bar: a small raised button with a cross of two-pixel strokes.
void DrawCloseBox(Bitmap& b, const Rect& r, bool pressed) {
    FillRect(b, r, kFace);
    if (pressed) {
        Frame(b, r, kDarkShadow, kLight);
        Frame(b, Inset(r, 1), kShadow, kFace);
    } else {
        RaisedEdge(b, r, kFace);
    }
    const int shift = pressed ? 1 : 0;
    const int left = r.left + (r.Width() - 8) / 2 + shift;
    const int top = r.top + (r.Height() - 7) / 2 + shift;
    for (int i = 0; i < 7; ++i) {
        FillRect(b, Rect{left + i, top + i, left + i + 2, top + i + 1}, kText);
        FillRect(b, Rect{left + 6 - i, top + i, left + 8 - i, top + i + 1}, kText);
    }
}

// A sunken groove as a Windows slider draws it.
void DrawChannel(Bitmap& b, const Rect& r) {
    FillRect(b, r, kFace);
    Frame(b, r, kShadow, kLight);
    Frame(b, Inset(r, 1), kDarkShadow, kFace);
}

// The thumb points down at the ticks below the groove.
void DrawThumb(Bitmap& b, const Rect& r) {
    const int l = r.left;
    const int t = r.top;
    const int right = r.right - 1;  // last column
    const int mid = l + kThumbWidth / 2;
    const int bodyEnd = t + kThumbBody;
    Canvas canvas(b);
    canvas.SetPen(Pen{PenStyle::Null, 1, 0});
    canvas.SetBrush(Brush{BrushStyle::Solid, kFace});
    const Point outline[] = {
        {l, t}, {right + 1, t}, {right + 1, bodyEnd}, {mid, r.bottom}, {l, bodyEnd}};
    canvas.Polygon(outline);
    HLine(b, l, right, t, kLight);
    VLine(b, l, t, bodyEnd + 1, kLight);
    VLine(b, right, t, bodyEnd + 1, kDarkShadow);
    VLine(b, right - 1, t + 1, bodyEnd + 1, kShadow);
    for (int i = 1; i <= kThumbWidth / 2; ++i) {
        const int y = bodyEnd + i;
        Plot(b, l + i, y, kLight);
        Plot(b, right - i, y, kDarkShadow);
        if (i > 1) Plot(b, right - i, y - 1, kShadow);
    }
}

}  // namespace

double SliderToValue(int position) {
    const int p = Clamp(position);
    if (p <= 20) return p / 10.0;
    if (p <= 28) return p - 18;
    return (p - 28) * 20.0;
}

int ValueToSlider(double value) {
    if (std::isnan(value)) return kSpeedSliderNormal;
    long p = 0;
    if (value <= 2) {
        p = std::lround(value * 10);
    } else if (value <= 10) {
        p = std::lround(value) + 18;
    } else if (std::isinf(value)) {
        p = kSpeedSliderMax;
    } else {
        p = std::lround(value / 20 + 28);
    }
    return static_cast<int>(std::clamp<long>(p, 0, kSpeedSliderMax));
}

std::string FormatSpeed(double value, char sep) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (result.ec != std::errc{}) return "0" + std::string(1, sep) + "00";
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == '.') c = sep;
    }
    return text;
}

int StartSetupLayout::NearestPosition(int x) const {
    const int offset = x - firstX;
    // Round to the nearest step, also left of position 0.
    const int p = offset >= 0 ? (offset + step / 2) / step : -((-offset + step / 2) / step);
    return Clamp(p);
}

StartSetupLayout LayoutStartSetup(Size window, int position) {
    StartSetupLayout l;
    const int dx = (window.w - kDialogWidth) / 2;
    const int dy = (window.h - kDialogHeight) / 2;
    l.dialog = Rect{dx, dy, dx + kDialogWidth, dy + kDialogHeight};
    l.titleBar =
        Rect{dx + kFrame, dy + kFrame, l.dialog.right - kFrame, dy + kFrame + kTitleHeight};
    l.closeBox =
        Rect{l.titleBar.right - 18, l.titleBar.top + 2, l.titleBar.right - 2, l.titleBar.top + 16};

    const int x0 = dx + kMargin;
    const int top = dy + kClientTop;
    l.slider = Rect{x0, top + kSliderY, x0 + kTrackWidth, top + kSliderY + kSliderHeight};
    const int thumbTop = l.slider.top + kThumbInset;
    l.channel =
        Rect{x0 + kChannelInset, thumbTop + 7, l.slider.right - kChannelInset, thumbTop + 11};
    l.firstX = l.channel.left + kThumbWidth / 2 + 1;
    l.step = kStep;
    const int centre = l.ThumbCentre(Clamp(position));
    l.thumb = Rect{centre - kThumbWidth / 2, thumbTop, centre + kThumbWidth / 2 + 1,
                   thumbTop + kThumbHeight};
    l.label = Rect{l.slider.right + kLabelGap, thumbTop, x0 + kContentWidth, thumbTop + 18};

    const int buttonTop = top + kButtonY;
    const int right = x0 + kContentWidth;
    l.cancel = Rect{right - kButtonWidth, buttonTop, right, buttonTop + kButtonHeight};
    l.ok = Rect{l.cancel.left - kButtonGap - kButtonWidth, buttonTop, l.cancel.left - kButtonGap,
                buttonTop + kButtonHeight};
    l.notice = Rect{x0, buttonTop, l.ok.left - kButtonGap, buttonTop + kButtonHeight};
    return l;
}

void TF_startsetup::Draw(Bitmap& b, FontEngine& fonts, const StartSetupLayout& l) const {
    Font& text = fonts.Get(FontRequest{"Arial", kTextPt, false, false, false});
    Font& bold = fonts.Get(FontRequest{"Arial", kTextPt, true, false, false});

    FillRect(b, l.dialog, kFace);
    RaisedEdge(b, l.dialog, kFace);

    const Rect& tb = l.titleBar;
    for (int x = tb.left; x < tb.right; ++x)
        VLine(b, x, tb.top, tb.bottom, Mix(kTitleLeft, kTitleRight, x - tb.left, tb.Width()));
    bold.Draw(b, tb.left + 4, tb.top + (tb.Height() - bold.Height()) / 2, kCaption, kTitleText);
    DrawCloseBox(b, l.closeBox, pressed_ == Part::CloseBox && pressedInside_);

    const int x0 = l.slider.left;
    const int top = l.dialog.top + kClientTop;
    text.Draw(b, x0, top + kIntroY, kIntro, kText);
    const int normalX = l.ThumbCentre(kSpeedSliderNormal) - text.TextWidth(kNormal) / 2;
    text.Draw(b, std::max(x0, normalX), top + kNormalY, kNormal, kText);

    DrawChannel(b, l.channel);
    const int tickTop = l.thumb.top + kThumbHeight + 2;
    for (int p = 0; p <= kSpeedSliderMax; ++p)
        VLine(b, l.ThumbCentre(p), tickTop, tickTop + (p % 10 == 0 ? 4 : 3), kText);
    DrawThumb(b, l.thumb);
    if (focus_ == Focus::Slider) FocusRect(b, l.slider);

    const double shown = moved_ ? SliderToValue(position_) : Value;
    const std::string value = FormatSpeed(shown, separator_);
    text.Draw(b, l.label.left, l.label.top + (l.label.Height() - text.Height()) / 2, value, kText);

    text.Draw(b, x0, top + kCaptionY, kFaster, kText);
    text.Draw(b, l.slider.right - text.TextWidth(kSlower), top + kCaptionY, kSlower, kText);

    if (!Notice.empty()) {
        const Rect& n = l.notice;
        text.Draw(b, n.left, n.top + (n.Height() - text.Height()) / 2, Notice, kNoticeText);
    }

    const bool cancelDefault = focus_ == Focus::Cancel;
    DrawButton(b, text, l.ok, kOkText, !cancelDefault, pressed_ == Part::Ok && pressedInside_,
               focus_ == Focus::Ok);
    DrawButton(b, text, l.cancel, kCancelText, cancelDefault,
               pressed_ == Part::Cancel && pressedInside_, focus_ == Focus::Cancel);
}

TF_startsetup::Outcome TF_startsetup::MoveSlider(int position) {
    const int p = Clamp(position);
    if (p == position_) return Outcome::Continue;
    position_ = p;
    moved_ = true;
    return Outcome::Redraw;
}

TF_startsetup::Outcome TF_startsetup::Activate(Part part) const {
    switch (part) {
        case Part::Ok: return Outcome::Ok;
        case Part::Cancel:
        case Part::CloseBox: return Outcome::Cancel;
        default: return Outcome::Continue;
    }
}

TF_startsetup::Outcome TF_startsetup::OnKeyDown(const Event& e) {
    switch (e.key) {
        case Key::Shift: shiftDown_ = true; return Outcome::Continue;
        case Key::Left:
        case Key::Down: return MoveSlider(position_ - 1);
        case Key::Right:
        case Key::Up: return MoveSlider(position_ + 1);
        case Key::PageUp: return MoveSlider(position_ + 5);
        case Key::PageDown: return MoveSlider(position_ - 5);
        case Key::Home: return MoveSlider(0);
        case Key::End: return MoveSlider(kSpeedSliderMax);
        case Key::Escape: return Outcome::Cancel;
        case Key::Return: return focus_ == Focus::Cancel ? Outcome::Cancel : Outcome::Ok;
        case Key::Space:
            if (focus_ == Focus::Ok) return Outcome::Ok;
            if (focus_ == Focus::Cancel) return Outcome::Cancel;
            return Outcome::Continue;
        case Key::Tab: {
            static constexpr Focus kOrder[] = {Focus::Slider, Focus::Ok, Focus::Cancel};
            const int n = 3;
            const int i = static_cast<int>(focus_);
            focus_ = kOrder[(i + (shiftDown_ ? n - 1 : 1)) % n];
            return Outcome::Redraw;
        }
        default: return Outcome::Continue;
    }
}

TF_startsetup::Outcome TF_startsetup::OnMouseDown(const Event& e, const StartSetupLayout& l) {
    if (e.button != MouseButton::Left) return Outcome::Continue;
    pressedInside_ = true;
    if (l.closeBox.Contains(e.x, e.y)) {
        pressed_ = Part::CloseBox;
        return Outcome::Redraw;
    }
    if (l.ok.Contains(e.x, e.y) || l.cancel.Contains(e.x, e.y)) {
        const bool ok = l.ok.Contains(e.x, e.y);
        pressed_ = ok ? Part::Ok : Part::Cancel;
        focus_ = ok ? Focus::Ok : Focus::Cancel;
        return Outcome::Redraw;
    }
    if (!l.slider.Contains(e.x, e.y)) return Outcome::Continue;
    pressed_ = Part::Slider;
    focus_ = Focus::Slider;
    // Grabbing the thumb keeps its offset to the pointer; a click beside it
    // brings the thumb under the pointer and drags from there.
    dragOffset_ = l.thumb.Contains(e.x, e.y) ? l.ThumbCentre(position_) - e.x : 0;
    MoveSlider(l.NearestPosition(e.x + dragOffset_));
    return Outcome::Redraw;
}

TF_startsetup::Outcome TF_startsetup::OnMouseMove(const Event& e, const StartSetupLayout& l) {
    switch (pressed_) {
        case Part::None: return Outcome::Continue;
        case Part::Slider: return MoveSlider(l.NearestPosition(e.x + dragOffset_));
        default: break;
    }
    const Rect& r = pressed_ == Part::Ok ? l.ok : pressed_ == Part::Cancel ? l.cancel : l.closeBox;
    const bool inside = r.Contains(e.x, e.y);
    if (inside == pressedInside_) return Outcome::Continue;
    pressedInside_ = inside;
    return Outcome::Redraw;
}

TF_startsetup::Outcome TF_startsetup::OnMouseUp(const Event& e, const StartSetupLayout& l) {
    if (e.button != MouseButton::Left || pressed_ == Part::None) return Outcome::Continue;
    const Part part = pressed_;
    OnMouseMove(e, l);
    const bool inside = pressedInside_;
    pressed_ = Part::None;
    if (part != Part::Slider && inside) return Activate(part);
    return Outcome::Redraw;
}

DialogResult TF_startsetup::ShowModal(Platform& platform, Bitmap& window, FontEngine& fonts,
                                      const std::function<void()>& idle) {
    position_ = ValueToSlider(Value);
    moved_ = false;
    focus_ = Focus::Slider;
    pressed_ = Part::None;
    shiftDown_ = false;
    separator_ = platform.DecimalSeparator();
    const Size size{window.Width(), window.Height()};

    Outcome outcome = Outcome::Redraw;
    for (;;) {
        const StartSetupLayout layout = LayoutStartSetup(size, position_);
        if (outcome == Outcome::Redraw) {
            Draw(window, fonts, layout);
            const Rect dirty = layout.dialog.Intersect(window.Bounds());
            platform.Present(&dirty);
        }
        Event e;
        if (!platform.PollEvent(e)) {
            if (idle) idle();
            platform.SleepMillis(1);
            outcome = Outcome::Continue;
            continue;
        }
        switch (e.type) {
            case Event::Type::KeyDown: outcome = OnKeyDown(e); break;
            case Event::Type::KeyUp:
                if (e.key == Key::Shift) shiftDown_ = false;
                outcome = Outcome::Continue;
                break;
            case Event::Type::MouseDown: outcome = OnMouseDown(e, layout); break;
            case Event::Type::MouseMove: outcome = OnMouseMove(e, layout); break;
            case Event::Type::MouseUp: outcome = OnMouseUp(e, layout); break;
            case Event::Type::Expose: outcome = Outcome::Redraw; break;
            case Event::Type::Close: outcome = Outcome::Cancel; break;
            case Event::Type::Resize:
                // The framebuffer is gone; the window must still learn of
                // the new size to rebuild its screen.
                platform.PostEvent(e);
                return DialogResult::Cancel;
            default: outcome = Outcome::Continue; break;
        }
        if (outcome == Outcome::Ok) {
            if (moved_) Value = SliderToValue(position_);
            return DialogResult::Ok;
        }
        if (outcome == Outcome::Cancel) return DialogResult::Cancel;
    }
}

}  // namespace qs
