#include "trainer/FileSelection.h"

namespace qs {

// Placeholder until the file selection is written: nothing is chosen.
void SelectWordFile(Trainer& tr) { tr.t.LastKey = 27; }
void CheckWordFile(Trainer& tr) { tr.t.WrongExtension = true; }
void ShowListHeader(Trainer&) {}
void ListFirstPage(Trainer&) {}
void ListLineUp(Trainer&) {}
void ListLineDown(Trainer&) {}
void ListPageUp(Trainer&) {}
void ListPageDown(Trainer&) {}

}  // namespace qs
