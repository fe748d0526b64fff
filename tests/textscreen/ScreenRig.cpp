#include "textscreen/ScreenRig.h"

#include "base/CodePage.h"
#include "screen/surface/Raster.h"
#include "support/TestFiles.h"

namespace qs::test {

namespace {

HeadlessOptions OptionsFor(Size client) {
    HeadlessOptions o;
    o.size = client;
    return o;
}

}  // namespace

Metafile LoadGlyphPicture(int code) {
    const std::string path =
        std::string(QS_SOURCE_DIR) + "/data/emfs/" + std::to_string(code) + ".emf";
    std::optional<Metafile> m = Metafile::Parse(ReadFileBytes(path));
    if (!m) throw std::runtime_error("cannot load " + path);
    return std::move(*m);
}

ScreenRig::ScreenRig(Size client, const std::vector<int>& glyphCodes)
    : platform(OptionsFor(client)), dos(platform) {
    dos.fonts.LoadConfig(std::string(QS_SOURCE_DIR) + "/data/bgi7/fonts.conf");
    for (int code : glyphCodes)
        dos.GlyphPictures.push_back(NamedPicture{std::to_string(code), LoadGlyphPicture(code)});
    InitScreen(dos);
}

void ScreenRig::AddGlyph(const std::string& name, int code) {
    dos.GlyphPictures.push_back(NamedPicture{name, LoadGlyphPicture(code)});
    InitScreen(dos);
}

std::string ScreenRig::GridRow(int row) const {
    const ScreenState& s = dos.screen;
    std::u32string cells(s.Grid.begin() + (row - 1) * 80, s.Grid.begin() + row * 80);
    while (!cells.empty() && cells.back() == U' ') cells.pop_back();
    std::string out;
    for (char32_t c : cells) out += EncodeUtf8(c);
    return out;
}

Rect ScreenRig::CellRect(int col, int row) const {
    const ScreenState& s = dos.screen;
    const int x = (col - 1) * s.CellWidth;
    const int y = (row - 1) * s.CellHeight;
    return Rect{x, y, x + s.CellWidth, y + s.CellHeight};
}

Bitmap ScreenRig::Crop(const Rect& r) {
    Bitmap out(r.Width(), r.Height());
    Blit(out, 0, 0, Canvas(), r);
    return out;
}

bool SamePixels(const Bitmap& a, const Bitmap& b, const Rect& r) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

}  // namespace qs::test
