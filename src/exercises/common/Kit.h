// What every game needs beside its own screen, as free functions over the
// trainer, so that monitor subclasses and plain game routines share them:
// the start and end of a game, keys, sounds, text sizes, the pointer, the
// waits of a tick, and the results table and protocol lines of the words
// played. The word choice is in exercises/common/WordChoice.h, players and
// names in exercises/common/Players.h.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "screen/graph/Graph.h"
#include "trainer/TrainerState.h"

namespace qs {

// ---- Start and end of a game ------------------------------------------------

// The start of every game's Run: TaskCount := 0, one player, the question
// for the number of players (it opens the protocol line of the programs
// that keep one) and, unless ESC, the names. False when ESC at either
// question ended the game before it started; LastKey is ESC then.
bool StartGame(Trainer& tr);

// The farewell at the end of a game: dance (one round of the end
// animation) repeats until a key is pressed; the keys are dropped and
// LastKey := ESC.
void Farewell(Trainer& tr, const std::function<void()>& dance);

// What every game does last, however it ended: the default names are
// cleared.
void EndGame(Trainer& tr);

// ---- Keys --------------------------------------------------------------------

// Drops every key typed so far.
void EmptyKeyBuffer(Trainer& tr);

// A list the game can play nothing of: why, in yellow, and "Weiter mit
// einer Taste." below it, in the text style set; then waits for a key or,
// with the mouse on, a click, and ends the game (LastKey ESC).
void ShowListUnplayable(Trainer& tr, const std::string& why);

// Waits for a key or, with the mouse on, a click. A key is read through
// ReadKeyOrQuit (ESC asks first); a click leaves LastKey as it was.
void WaitForKeyOrClick(Trainer& tr);

// ---- Sound -------------------------------------------------------------------

// Sound " ein ": every sound of a game plays.
bool SoundOn(const Trainer& tr);
// Sound " ein " or " Tippton ": the typing and error tones play; only
// " aus " silences them.
bool TonesOn(const Trainer& tr);
// The sound of a finished word: the building site has its own, the other
// games share one.
void SuccessSound(Trainer& tr);

// ---- Text --------------------------------------------------------------------

// Text size n (or 3.5 and the like) in the program's graphics font.
void SetSize(Trainer& tr, int n);
void SetSizeReal(Trainer& tr, double n);
// The small bitmap font of the help lines.
void SetSmallText(Trainer& tr);

// ---- Clearing what was drawn ---------------------------------------------------
// Our fonts ink further than the fixed rectangles a screen may have been laid
// out with (descenders below the line, fat text's growth), and window pixels
// round differently at each window size; these clear from what was drawn.

// Bar in the current fill over everything OutTextXY(x, y, s, thick) draws in
// the current text style.
void ClearText(Trainer& tr, int x, int y, std::string_view s, bool thick = false);

// Bar (x1, y1)-(x2, y2), edges included as Bar takes them, grown to hold the
// graph rectangle also (half-open, as TextInkRect gives it).
void BarCovering(Trainer& tr, int x1, int y1, int x2, int y2, const Rect& also);

// A piece of the window kept to be put back: what lay under a text or a
// figure before it was first drawn.
struct SavedArea {
    Picture picture;
    int x = 0;
    int y = 0;
};
// area: graph points, half-open (as TextInkRect gives it).
SavedArea SaveArea(Trainer& tr, const Rect& area);
void RestoreArea(Trainer& tr, const SavedArea& saved);

// ---- Pointer and waits ------------------------------------------------------

// Mouse " ein ": the game answers clicks.
bool MouseOn(const Trainer& tr);

// The pointer (where the click just taken was made) lies in the rectangle
// (x1, y1)-(x2, y2) of graph points, edges included.
bool PointerIn(Trainer& tr, int x1, int y1, int x2, int y2);

// One tick of a game's waiting loop: up to 400 ms in steps of 20 ms,
// ending early on a key or a mouse button. True when a click was made
// meanwhile (it is taken).
bool Tick(Trainer& tr);

// ---- Results and protocol -------------------------------------------------------

// A finished word in the results table of the certificate: its line, plus
// 1000 when it had mistakes. The table holds 60 words; later ones are not
// entered.
void EnterResult(Trainer& tr, int lineNo, bool hadMistakes);

// Closes the protocol line of the word just played, with one player and
// room in the protocol: ProtocolCount + 1, and the line (what
// AppendProtocol collected) gets head in front. False when nothing was
// closed.
bool CloseProtocolLine(Trainer& tr, std::string_view head);

}  // namespace qs
