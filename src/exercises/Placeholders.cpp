#include "exercises/Placeholders.h"

#include "trainer/FileSelection.h"

namespace qs {

void RunGrabbing(Trainer& tr) { CheckWordFile(tr); }

}  // namespace qs
