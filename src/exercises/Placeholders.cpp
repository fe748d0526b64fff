#include "exercises/Placeholders.h"

#include "trainer/FileSelection.h"

namespace qs {

void RunTeeth(Trainer& tr) { CheckWordFile(tr); }

}  // namespace qs
