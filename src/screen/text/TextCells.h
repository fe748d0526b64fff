// The character screen's cells whose pixels are still to be drawn.
//
// A text write that fills a whole cell of the character grid (a blank, a
// special glyph, a character whose ink stays inside its cell) records which
// cell picture the cell now shows instead of drawing it; the pictures are
// cached, already combined with their colours. The window's pixels of such a
// cell are stale until Draw copies the picture there, which happens before
// the window is presented and before anyone else reads or draws on it
// (Dos::Canvas), so every pixel anyone sees is the one drawing at once would
// have made. A later write to the same cell only replaces the record:
// clearing, scrolling and overdrawing cost next to nothing, and each changed
// cell is drawn once.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "base/Geometry.h"
#include "screen/surface/Bitmap.h"

namespace qs {

class TextCells {
public:
    enum class Content : uint8_t { Blank, Glyph, Character };
    // What a cell picture shows: its content drawn over plain paper, the
    // whole then ANDed with andMask (a shadow laid over it).
    struct Key {
        Content content = Content::Blank;
        uint64_t source = 0;  // the glyph's index, or the font's serial
        char32_t code = 0;
        Rgb ink = 0;
        Rgb paper = 0;
        Rgb andMask = 0xFFFFFF;
        friend bool operator==(const Key&, const Key&) = default;
    };
    static constexpr int kNone = -1;
    // Pictures kept at most; beyond that the cache starts afresh.
    static constexpr size_t kMaxPictures = 1024;

    // When off, nothing is held back and every write draws at once.
    bool enabled = true;

    // Puts the grid at cells of cellWidth x cellHeight pixels from the
    // window's top-left corner, as many of columns x rows as fit in it. Cells
    // held for another grid are drawn first, and the pictures dropped.
    void Fit(Bitmap& window, int cellWidth, int cellHeight, int columns, int rows);
    bool Fits(int cellWidth, int cellHeight) const {
        return cellWidth == cellWidth_ && cellHeight == cellHeight_;
    }
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }

    // The block of cells (columns and rows, end exclusive) that r covers
    // exactly, or nullopt when r does not lie on the grid's cell edges.
    std::optional<Rect> CellsOf(const Rect& r) const;
    Rect PixelsOf(int column, int row) const;

    // The picture a cell is held at, or kNone when its pixels are drawn.
    int Held(int column, int row) const {
        return held_[static_cast<size_t>(row) * columns_ + column];
    }
    bool AnyHeld() const { return heldCount_ > 0; }
    void Hold(int column, int row, int picture);
    // Forgets a cell's record without drawing it, for a caller that is
    // about to replace all of the cell's pixels.
    void Release(int column, int row);

    // Draws every held cell, or those that touch r.
    void Draw(Bitmap& window);
    void DrawTouching(Bitmap& window, const Rect& r);
    // Forgets every record, picture and the grid: the window's pixels they
    // were for are gone.
    void Forget();
    // Draws every held cell and drops the pictures (what they were made
    // from has changed).
    void DropPictures(Bitmap& window);

    const Key& KeyOf(int picture) const { return keys_[static_cast<size_t>(picture)]; }
    // The picture for key, or kNone when there is none yet.
    int Find(const Key& key) const;
    // Caches picture (cell-sized) for key; returns its number.
    int Add(Bitmap& window, const Key& key, Bitmap picture);
    // The picture of another ANDed with mask.
    int Anded(Bitmap& window, int picture, Rgb mask);

private:
    struct KeyHash {
        size_t operator()(const Key& k) const;
    };
    void DrawCell(Bitmap& window, int column, int row);
    static void Edges(std::vector<int>& edges, int size, int count);
    // The column (row) whose left (top) edge is at pixel p, or -1.
    static int EdgeAt(const std::vector<int>& edges, int p) {
        return p >= 0 && static_cast<size_t>(p) < edges.size() ? edges[static_cast<size_t>(p)] : -1;
    }

    int cellWidth_ = 0;
    int cellHeight_ = 0;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<int> held_;
    std::vector<int> columnEdges_;  // by pixel: the column starting there, or -1
    std::vector<int> rowEdges_;
    std::vector<int> heldInRow_;
    int heldCount_ = 0;
    std::vector<Bitmap> pictures_;
    std::vector<Key> keys_;
    std::unordered_map<Key, int, KeyHash> index_;
};

}  // namespace qs
