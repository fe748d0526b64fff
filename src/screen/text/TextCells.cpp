#include "screen/text/TextCells.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qs {

size_t TextCells::KeyHash::operator()(const Key& k) const {
    uint64_t h = static_cast<uint64_t>(k.content) * 0x9E3779B97F4A7C15ull;
    for (uint64_t v : {k.source, static_cast<uint64_t>(k.code), static_cast<uint64_t>(k.ink),
                       static_cast<uint64_t>(k.paper), static_cast<uint64_t>(k.andMask)})
        h = (h ^ v) * 0x100000001B3ull + (h >> 29);
    return static_cast<size_t>(h);
}

// Every text write asks which cells it covers; a table of the grid's edges
// answers without dividing.
void TextCells::Edges(std::vector<int>& edges, int size, int count) {
    edges.assign(static_cast<size_t>(size) * count + 1, -1);
    for (int i = 0; i <= count; ++i) edges[static_cast<size_t>(i) * size] = i;
}

void TextCells::Fit(Bitmap& window, int cellWidth, int cellHeight, int columns, int rows) {
    DropPictures(window);
    cellWidth_ = std::max(1, cellWidth);
    cellHeight_ = std::max(1, cellHeight);
    columns_ = std::clamp(window.Width() / cellWidth_, 0, columns);
    rows_ = std::clamp(window.Height() / cellHeight_, 0, rows);
    held_.assign(static_cast<size_t>(columns_) * rows_, kNone);
    Edges(columnEdges_, cellWidth_, columns_);
    Edges(rowEdges_, cellHeight_, rows_);
    heldInRow_.assign(static_cast<size_t>(rows_), 0);
    heldCount_ = 0;
}

std::optional<Rect> TextCells::CellsOf(const Rect& r) const {
    if (r.Empty()) return std::nullopt;
    const int left = EdgeAt(columnEdges_, r.left);
    const int top = EdgeAt(rowEdges_, r.top);
    const int right = EdgeAt(columnEdges_, r.right);
    const int bottom = EdgeAt(rowEdges_, r.bottom);
    if (left < 0 || top < 0 || right < 0 || bottom < 0) return std::nullopt;
    return Rect{left, top, right, bottom};
}

Rect TextCells::PixelsOf(int column, int row) const {
    return Rect{column * cellWidth_, row * cellHeight_, (column + 1) * cellWidth_,
                (row + 1) * cellHeight_};
}

void TextCells::Hold(int column, int row, int picture) {
    int& cell = held_[static_cast<size_t>(row) * columns_ + column];
    if (cell == kNone) {
        ++heldCount_;
        ++heldInRow_[static_cast<size_t>(row)];
    }
    cell = picture;
}

void TextCells::Release(int column, int row) {
    int& cell = held_[static_cast<size_t>(row) * columns_ + column];
    if (cell == kNone) return;
    cell = kNone;
    --heldCount_;
    --heldInRow_[static_cast<size_t>(row)];
}

void TextCells::DrawCell(Bitmap& window, int column, int row) {
    const int picture = Held(column, row);
    if (picture == kNone) return;
    const Bitmap& from = pictures_[static_cast<size_t>(picture)];
    for (int y = 0; y < cellHeight_; ++y)
        std::memcpy(window.Row(row * cellHeight_ + y) + column * cellWidth_, from.Row(y),
                    static_cast<size_t>(cellWidth_) * sizeof(uint32_t));
    Release(column, row);
}

// Row by row of pixels across each row of cells, so that the window is
// written front to back once.
void TextCells::Draw(Bitmap& window) {
    if (heldCount_ == 0) return;
    const size_t rowBytes = static_cast<size_t>(cellWidth_) * sizeof(uint32_t);
    for (int row = 0; row < rows_; ++row) {
        if (heldInRow_[static_cast<size_t>(row)] == 0) continue;
        int* cells = &held_[static_cast<size_t>(row) * columns_];
        for (int y = 0; y < cellHeight_; ++y) {
            uint32_t* to = window.Row(row * cellHeight_ + y);
            for (int column = 0; column < columns_; ++column, to += cellWidth_)
                if (cells[column] != kNone)
                    std::memcpy(to, pictures_[static_cast<size_t>(cells[column])].Row(y), rowBytes);
        }
        std::fill(cells, cells + columns_, kNone);
        heldCount_ -= heldInRow_[static_cast<size_t>(row)];
        heldInRow_[static_cast<size_t>(row)] = 0;
    }
}

void TextCells::DrawTouching(Bitmap& window, const Rect& r) {
    if (heldCount_ == 0 || r.Empty()) return;
    const int left = std::max(0, r.left / cellWidth_);
    const int top = std::max(0, r.top / cellHeight_);
    const int right = std::min(columns_, (r.right + cellWidth_ - 1) / cellWidth_);
    const int bottom = std::min(rows_, (r.bottom + cellHeight_ - 1) / cellHeight_);
    for (int row = top; row < bottom; ++row)
        if (heldInRow_[static_cast<size_t>(row)] > 0)
            for (int column = left; column < right; ++column) DrawCell(window, column, row);
}

void TextCells::Forget() {
    cellWidth_ = cellHeight_ = columns_ = rows_ = 0;
    held_.clear();
    columnEdges_.clear();
    rowEdges_.clear();
    heldInRow_.clear();
    heldCount_ = 0;
    pictures_.clear();
    keys_.clear();
    index_.clear();
}

void TextCells::DropPictures(Bitmap& window) {
    Draw(window);
    pictures_.clear();
    keys_.clear();
    index_.clear();
}

int TextCells::Find(const Key& key) const {
    const auto it = index_.find(key);
    return it == index_.end() ? kNone : it->second;
}

int TextCells::Add(Bitmap& window, const Key& key, Bitmap picture) {
    if (pictures_.size() >= kMaxPictures) DropPictures(window);
    const int number = static_cast<int>(pictures_.size());
    pictures_.push_back(std::move(picture));
    keys_.push_back(key);
    index_.emplace(key, number);
    return number;
}

int TextCells::Anded(Bitmap& window, int picture, Rgb mask) {
    Key key = KeyOf(picture);
    key.andMask &= mask;
    // A shadowed blank is a blank of the darker colour.
    if (key.content == Content::Blank) {
        key.paper &= key.andMask;
        key.andMask = 0xFFFFFF;
    }
    if (const int found = Find(key); found != kNone) return found;
    Bitmap anded = pictures_[static_cast<size_t>(picture)];
    for (int y = 0; y < anded.Height(); ++y) {
        uint32_t* p = anded.Row(y);
        for (int x = 0; x < anded.Width(); ++x) p[x] &= mask & 0xFFFFFFu;
    }
    return Add(window, key, std::move(anded));
}

}  // namespace qs
