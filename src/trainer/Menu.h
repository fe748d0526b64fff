// The program menu on the left half of the title screen, the screen pieces
// the menu, the editor chooser and the file selection share, and the
// Ja/Nein question.
#pragma once

#include <string>

#include "trainer/TrainerState.h"

namespace qs {

// The title screen with the empty menu box and the entries; LastKey := ' '.
void ShowMainMenu(Trainer& tr);
// Body and bottom of a menu box whose top border the caller has written,
// with the shadow.
void DrawMenuBox(Dos& d);
// The entries of the program table, the one of ProgramNo highlighted.
void DrawMenuEntries(Trainer& tr);
// Removes a box drawn on the right half, shadow included, and goes back to
// the menu window.
void ClearRightHalf(Dos& d);
// "Sind Sie sicher?" with Ja / Nein below a top line the caller has
// written; the answer in AnswerNo (true = "Nein").
void AskSure(Trainer& tr);

// ESC in the menu: writes the teacher protocol when there is one, asks
// whether to quit and leaves MenuKey at ESC when the answer was "Ja".
void QuitQuestion(Trainer& tr);
// Writes ProtocolLines 1..ProtocolCount to LS1DAT\LEHRER.TXT; false when
// that failed.
bool WriteTeacherProtocol(Trainer& tr);

}  // namespace qs
