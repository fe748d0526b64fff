#include "shell/MessageBox.h"

#include <algorithm>

#include "screen/surface/Raster.h"
#include "shell/DialogLook.h"

namespace qs {

namespace {

using namespace dialog;

constexpr Rgb kTitle = MakeRgb(10, 36, 106);

constexpr int kWidth = 460;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kTextPt = 9;

void Frame(Bitmap& b, const Rect& r, Rgb topLeft, Rgb bottomRight) {
    FillRect(b, Rect{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillRect(b, Rect{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillRect(b, Rect{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillRect(b, Rect{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void RaisedEdge(Bitmap& b, const Rect& r) {
    Frame(b, r, kFace, kDarkShadow);
    Frame(b, Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kLight, kShadow);
}

Font& TextFont(FontEngine& fonts, bool bold) {
    return fonts.Get(FontRequest{"Arial", kTextPt, bold, false, false});
}

void Draw(Bitmap& b, FontEngine& fonts, const MessageBoxLayout& l, const std::string& caption,
          const std::vector<std::string>& lines) {
    Font& text = TextFont(fonts, false);
    Font& bold = TextFont(fonts, true);
    FillRect(b, l.dialog, kFace);
    RaisedEdge(b, l.dialog);
    FillRect(b, l.titleBar, kTitle);
    bold.Draw(b, l.titleBar.left + 4, l.titleBar.top + (l.titleBar.Height() - bold.Height()) / 2,
              caption, kTitleText);
    int y = l.text.top;
    for (const std::string& line : lines) {
        text.Draw(b, l.text.left, y, line, kText);
        y += text.Height();
    }
    FillRect(b, l.ok, kFace);
    Frame(b, l.ok, kText, kText);
    RaisedEdge(b, Rect{l.ok.left + 1, l.ok.top + 1, l.ok.right - 1, l.ok.bottom - 1});
    const std::string ok = "OK";
    text.Draw(b, l.ok.left + (l.ok.Width() - text.TextWidth(ok)) / 2,
              l.ok.top + (l.ok.Height() - text.Height()) / 2, ok, kText);
}

bool Confirms(const Event& e, const MessageBoxLayout& l) {
    switch (e.type) {
        case Event::Type::KeyDown:
            return e.key == Key::Return || e.key == Key::Escape || e.key == Key::Space;
        case Event::Type::MouseUp: return e.button == MouseButton::Left && l.ok.Contains(e.x, e.y);
        case Event::Type::Close: return true;
        default: return false;
    }
}

}  // namespace

std::vector<std::string> WrapText(Font& font, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string line;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(' ', pos);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(pos, end - pos);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.TextWidth(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        pos = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

MessageBoxLayout LayoutMessageBox(Size window, int lineCount, int lineHeight) {
    MessageBoxLayout l;
    const int textHeight = std::max(1, lineCount) * lineHeight;
    const int height =
        kFrame + kTitleHeight + kMargin + textHeight + kMargin + kButtonHeight + kMargin + kFrame;
    const int left = (window.w - kWidth) / 2;
    const int top = std::max(0, (window.h - height) / 2);
    l.dialog = Rect{left, top, left + kWidth, top + height};
    l.titleBar =
        Rect{left + kFrame, top + kFrame, l.dialog.right - kFrame, top + kFrame + kTitleHeight};
    l.text = Rect{left + kMargin, l.titleBar.bottom + kMargin, l.dialog.right - kMargin,
                  l.titleBar.bottom + kMargin + textHeight};
    const int buttonLeft = left + (kWidth - kButtonWidth) / 2;
    l.ok = Rect{buttonLeft, l.text.bottom + kMargin, buttonLeft + kButtonWidth,
                l.text.bottom + kMargin + kButtonHeight};
    return l;
}

void ShowMessageBox(Platform& platform, Bitmap& window, FontEngine& fonts,
                    const std::string& caption, const std::string& text,
                    const std::function<void()>& idle) {
    Font& font = TextFont(fonts, false);
    const std::vector<std::string> lines = WrapText(font, text, kWidth - 2 * kMargin);
    const MessageBoxLayout layout = LayoutMessageBox({window.Width(), window.Height()},
                                                     static_cast<int>(lines.size()), font.Height());
    bool redraw = true;
    for (;;) {
        if (redraw) {
            Draw(window, fonts, layout, caption, lines);
            const Rect dirty = layout.dialog.Intersect(window.Bounds());
            platform.Present(&dirty);
            redraw = false;
        }
        Event e;
        if (!platform.PollEvent(e)) {
            if (idle) idle();
            platform.SleepMillis(1);
            continue;
        }
        if (e.type == Event::Type::Resize) {
            platform.PostEvent(e);
            return;
        }
        if (Confirms(e, layout)) return;
        redraw = e.type == Event::Type::Expose;
    }
}

}  // namespace qs
