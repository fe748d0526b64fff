// A message the window shows before the trainer starts (a problem at
// start-up the child or teacher should know of): a small panel in the
// speed dialog's plain Windows look, with the text wrapped to its width and
// an OK button, confirmed with Return, Escape, Space, a click on OK or the
// window's close.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "platform/Platform.h"
#include "screen/surface/Bitmap.h"
#include "screen/text/FontEngine.h"

namespace qs {

struct MessageBoxLayout {
    Rect dialog;
    Rect titleBar;
    Rect text;  // where the wrapped lines go
    Rect ok;
};

// The text (Windows-1252) broken into lines of at most width pixels, at
// blanks where there are any.
std::vector<std::string> WrapText(Font& font, const std::string& text, int width);

MessageBoxLayout LayoutMessageBox(Size window, int lineCount, int lineHeight);

// Draws the message centred on window and runs until it is confirmed. A
// Resize event ends it too and is posted back for the window. idle runs
// whenever no event is pending (a script feeds its input there). The caller
// restores what the panel covered.
void ShowMessageBox(Platform& platform, Bitmap& window, FontEngine& fonts,
                    const std::string& caption, const std::string& text,
                    const std::function<void()>& idle = {});

}  // namespace qs
