// Vector pictures in the Windows metafile formats: enhanced metafiles (EMF)
// and the older Windows metafiles (WMF, with or without the placeable
// header). The records are played by our own interpreter onto a cairo
// surface over the target bitmap; nothing of the picture reaches the
// drawing code unchecked.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/Geometry.h"
#include "screen/surface/Bitmap.h"

namespace qs {

// The most records and points one drawing of a picture plays; the rest of a
// picture beyond either is left out.
inline constexpr uint64_t kMetafileMaxRecords = 100'000;
inline constexpr uint64_t kMetafileMaxPoints = 100'000;

class Metafile {
public:
    enum class Kind : uint8_t { Emf, Wmf };

    // nullopt when the bytes are neither an EMF nor a WMF (placeable or not)
    // with a sane header.
    static std::optional<Metafile> Parse(std::vector<uint8_t> bytes);

    Kind Format() const { return kind_; }
    // Picture size in pixels at 96 dpi (from the frame, the bounds or the
    // placeable header; for a plain WMF its first window extent).
    Size NaturalSize() const { return natural_; }

    // Draws the picture stretched into dest of target, clipped to the bitmap,
    // as far as the work limits above reach.
    // antialias=false draws hard edges, as the Windows drawing calls did.
    void Draw(Bitmap& target, const Rect& dest, bool antialias = false) const;

    // The picture's own coordinate box that Draw maps onto dest: for an EMF
    // the frame in reference-device pixels, for a WMF the logical window.
    struct Box {
        double left = 0, top = 0, right = 0, bottom = 0;
    };

private:
    Metafile() = default;
    static std::optional<Metafile> ParseEmf(std::vector<uint8_t> bytes);
    static std::optional<Metafile> ParseWmf(std::vector<uint8_t> bytes);

    std::vector<uint8_t> bytes_;
    Kind kind_ = Kind::Emf;
    Size natural_;
    Box box_;                          // what dest stands for
    size_t recordsStart_ = 0;          // offset of the first record after the header(s)
    double pixelsPerMmX_ = 96 / 25.4;  // reference device (EMF)
    double pixelsPerMmY_ = 96 / 25.4;
    uint32_t handleCount_ = 0;
    bool hasWindow_ = false;  // WMF: the box came from a placeable header
};

}  // namespace qs
