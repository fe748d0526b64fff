#include "trainer/Editor.h"

#include "screen/KeyCodes.h"

namespace qs {

// Placeholder until the editor is written.
void EditorChooser(Trainer& tr) { tr.t.LastKey = keycode::Esc; }

}  // namespace qs
