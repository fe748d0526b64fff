#include "exercises/buildingsite/BarrowFilm.h"

#include "base/Geometry.h"
#include "screen/GraphMapping.h"
#include "screen/Paths.h"
#include "screen/film/Film.h"
#include "screen/graph/Graph.h"

namespace qs {

namespace {

// The frames of the barrow's sequence are drawn on the building site's
// ground colour, which is their key colour.
constexpr Rgb kFramesKeyColour = MakeRgb(64, 64, 64);

}  // namespace

void PlayBarrowFilm(Dos& d, int barrowX) {
    SavePage(d, 0);
    Tfilm& film = d.film;
    film.transparent = false;
    film.backgroundCanvas = nullptr;
    film.SetHintergrundfarbe(kFramesKeyColour);
    int w = 60;
    int h = 60;
    ScaleSize(d.screen.Area, w, h);
    film.SetWidth(w);
    film.SetHeight(h);
    film.SetVerzeichnis(AppDir(d.platform.Files()) + "Bitplane\\filme\\");
    int x = barrowX - 1;
    int y = 419;
    ToWindow(d.screen.Area, x, y);
    film.Play(x, y, d.Canvas(), 20, 1, 200);
}

}  // namespace qs
