#include "exercises/Launchers.h"

#include "exercises/Comparison.h"
#include "trainer/FileSelection.h"

namespace qs {

// Until each exercise is written, its launcher only checks the word file
// and returns to the menu.
void RunComparison(Trainer& tr) { RunComparisonExercise(tr); }
void RunRace(Trainer& tr) { CheckWordFile(tr); }
void RunTeeth(Trainer& tr) { CheckWordFile(tr); }
void RunSyllables(Trainer& tr) { CheckWordFile(tr); }
void RunBuildingSite(Trainer& tr) { CheckWordFile(tr); }
void RunTwoIntoOne(Trainer& tr) { CheckWordFile(tr); }
void RunContact(Trainer& tr) { CheckWordFile(tr); }
void RunGrabbing(Trainer& tr) { CheckWordFile(tr); }
void RunConvert(Trainer& tr) { CheckWordFile(tr); }

ExerciseTable AllExercises() {
    ExerciseTable e;
    e.RunComparison = RunComparison;
    e.RunRace = RunRace;
    e.RunTeeth = RunTeeth;
    e.RunSyllables = RunSyllables;
    e.RunBuildingSite = RunBuildingSite;
    e.RunTwoIntoOne = RunTwoIntoOne;
    e.RunContact = RunContact;
    e.RunGrabbing = RunGrabbing;
    e.RunConvert = RunConvert;
    return e;
}

}  // namespace qs
