#include "exercises/Placeholders.h"

#include "trainer/FileSelection.h"

namespace qs {

void RunTeeth(Trainer& tr) { CheckWordFile(tr); }
void RunBuildingSite(Trainer& tr) { CheckWordFile(tr); }
void RunTwoIntoOne(Trainer& tr) { CheckWordFile(tr); }
void RunContact(Trainer& tr) { CheckWordFile(tr); }

}  // namespace qs
