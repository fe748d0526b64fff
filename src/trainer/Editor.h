// The word-list editor and its program chooser.
#pragma once

#include "trainer/TrainerState.h"

namespace qs {

// Returns with LastKey = ESC and the right half cleared.
void EditorChooser(Trainer& tr);

}  // namespace qs
