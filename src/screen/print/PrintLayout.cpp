#include "screen/print/PrintLayout.h"

#include <algorithm>

namespace qs {

namespace {

constexpr int kTabOff = 200;

class Layouter {
public:
    Layouter(PrintMeasure& measure, PageSize page) : measure_(measure) {
        out_.left = page.width / 10;
        out_.top = page.height / 20;
        out_.bottom = page.height - 2 * out_.top;
        out_.charWidth = measure_.TextWidth(PrintFont{}, "A");
        y_ = out_.top;
    }

    void Piece(size_t index, const PrintPiece& piece) {
        if (piece.tab > kTabOff) {
            // Ends the tab mode and takes the place of one empty line.
            tabMode_ = false;
            StartPageIfDue();
            Advance(piece.font);
            return;
        }
        if (piece.tab >= 0) {
            tabMode_ = true;
            tabPosition_ = piece.tab * out_.charWidth;
        }
        switch (piece.kind) {
            case PrintPiece::Kind::FormFeed:
                EndOpenLine(piece.font);
                // Only a page that is more than a fifth full is ended, so a form
                // feed at the top of a page never leaves an empty page behind.
                if (!breakDue_ && y_ - out_.top > (out_.bottom - out_.top) / 5) breakDue_ = true;
                return;
            case PrintPiece::Kind::Nothing: EndOpenLine(piece.font); return;
            case PrintPiece::Kind::Text: Text(index, piece); return;
        }
    }

    PrintLayout Finish() {
        // Pages are begun by the first line on them; a page that got only
        // empty lines at the end of the document is not printed.
        int last = 0;
        for (const auto& item : out_.items) last = std::max(last, item.page);
        out_.pages = last + 1;
        return std::move(out_);
    }

private:
    void Text(size_t index, const PrintPiece& piece) {
        StartPageIfDue();
        const double width = measure_.TextWidth(piece.font, piece.text);
        if (piece.continues) {
            Place(PlacedItem::Kind::Text, index, piece, out_.left + xOffset_, y_, width);
            xOffset_ += width;
            lineOpen_ = true;
            return;
        }
        double end;
        if (tabMode_) {
            end = out_.left + tabPosition_;
            if (piece.rule) {
                Place(PlacedItem::Kind::Rule, index, piece, end - width, y_ + kRuleDrop, width);
            } else {
                Place(PlacedItem::Kind::Text, index, piece, end - width, y_, width);
            }
        } else {
            Place(PlacedItem::Kind::Text, index, piece, out_.left + xOffset_, y_, width);
            end = out_.left + xOffset_ + width;
        }
        if (piece.check) Place(PlacedItem::Kind::Check, index, piece, end, y_, 0);
        Advance(piece.font);
    }

    // Places an item; text that is only blanks draws nothing and is left out,
    // so that it never keeps an otherwise empty page alive.
    void Place(PlacedItem::Kind kind, size_t index, const PrintPiece& piece, double x, double y,
               double width) {
        if (kind == PlacedItem::Kind::Text &&
            piece.text.find_first_not_of(' ') == std::string::npos) {
            return;
        }
        PlacedItem item;
        item.kind = kind;
        item.piece = index;
        item.page = page_;
        item.x = x;
        item.y = y;
        item.width = width;
        item.font = piece.font;
        if (kind == PlacedItem::Kind::Text) item.text = piece.text;
        out_.items.push_back(std::move(item));
    }

    // Text before a control byte that printed nothing still ends its own
    // printed line, so the next line never runs into it.
    void EndOpenLine(const PrintFont& font) {
        if (lineOpen_) Advance(font);
    }

    void Advance(const PrintFont& font) {
        y_ += measure_.LineHeight(font);
        xOffset_ = 0;
        lineOpen_ = false;
        if (y_ > out_.bottom) breakDue_ = true;
    }

    void StartPageIfDue() {
        if (!breakDue_) return;
        breakDue_ = false;
        ++page_;
        y_ = out_.top;
    }

    PrintMeasure& measure_;
    PrintLayout out_;
    double y_ = 0;
    double xOffset_ = 0;
    double tabPosition_ = 0;
    bool tabMode_ = false;
    bool lineOpen_ = false;
    bool breakDue_ = false;
    int page_ = 0;
};

}  // namespace

PrintLayout LayOutPrinterFile(const std::vector<PrintPiece>& pieces, PrintMeasure& measure,
                              PageSize page) {
    if (pieces.empty()) return PrintLayout{};
    Layouter layouter(measure, page);
    for (size_t i = 0; i < pieces.size(); ++i) layouter.Piece(i, pieces[i]);
    return layouter.Finish();
}

}  // namespace qs
