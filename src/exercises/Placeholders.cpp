#include "exercises/Placeholders.h"

#include "trainer/FileSelection.h"

namespace qs {

void RunTeeth(Trainer& tr) { CheckWordFile(tr); }
void RunGrabbing(Trainer& tr) { CheckWordFile(tr); }

}  // namespace qs
