#include "exercises/buildingsite/BarrowFilm.h"

#include "screen/graph/Graph.h"

namespace qs {

void PlayBarrowFilm(Dos& d, int barrowX) {
    (void)barrowX;
    SavePage(d, 0);
}

}  // namespace qs
