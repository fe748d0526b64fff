// The exercise launchers the main menu starts. Each checks the word file
// first and returns when the exercise ends.
#pragma once

#include "trainer/TrainerState.h"

namespace qs {

void RunComparison(Trainer& tr);    // Wortvergleich
void RunRace(Trainer& tr);          // Vorsilben, Endungen as a race
void RunTeeth(Trainer& tr);         // Endungen with the bite
void RunSyllables(Trainer& tr);     // Silben ordnen, Zerlegen
void RunBuildingSite(Trainer& tr);  // Baustelle
void RunTwoIntoOne(Trainer& tr);    // Aus 2 mach 1
void RunContact(Trainer& tr);       // Kontakt
void RunGrabbing(Trainer& tr);      // Greifen
void RunConvert(Trainer& tr);       // Umwandeln, Reparieren

// All of them, for the menu.
ExerciseTable AllExercises();

}  // namespace qs
