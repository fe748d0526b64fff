#include "screen/Dos.h"
namespace qs {
void SavePage(Dos& d, int p) {
    if (!d.Pages[p]) d.Pages[p] = std::make_unique<Bitmap>(d.ClientSize().w, d.ClientSize().h);
}
void ShowPage(Dos& d, int p, bool release) {
    if (release) d.Pages[p].reset();
}
void LeaveExclusiveScreen(Dos&) {}
}  // namespace qs
