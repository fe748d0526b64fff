// The mouse layer of the emulated DOS screen. Screens describe clickable
// rectangles of character cells in mouse-text files (".mtb"); these are
// loaded into a stack of levels, and a click on one of the rectangles
// becomes a key code for the trainer. The pointer queries work in graph
// points of the 640 x 480 space, the way a DOS mouse driver answered.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "screen/Dos.h"

namespace qs {

// Start of the mouse layer: takes the program folder and name, empties the
// region table and loads the program's own table "maustxt\<name>.mtb".
void InitMouse(Dos& d);

// Opens a new level and appends the regions of folder + fileName to it. An
// empty folder means the program's "maustxt\" folder; a relative folder is
// taken inside the program folder. A missing file adds nothing.
void PushMouseTexts(Dos& d, const std::string& folder, const std::string& fileName);
// Drops the regions of the current level and returns to the one below.
void PopMouseTexts(Dos& d);

// One line of a mouse-text file; nullopt for an empty line.
std::optional<MouseRegion> ParseMouseTextLine(std::string_view line);

// The key code a click at window pixel (x, y) produces, or 0. Sets
// ExtendedKey when a region was hit and leaves MouseItem, MouseChoice and
// MouseLine for the screens.
uint8_t MouseHitCode(Dos& d, int x, int y);

// Each takes the value the last click left: v = min(max, base + value).
bool TakeMouseItem(Dos& d, int& v, int base, int max);
bool TakeMouseChoice(Dos& d, int& v, int base, int max);
void TakeMouseLine(Dos& d, int& v, int base, int max);
// The kind of the last button press (1 left, 2 right, 0 none), once.
int TakeClick(Dos& d);

// The pointer in graph points; each first runs the message pump.
void GetMousePos(Dos& d, int& x, int& y);
int MouseX(Dos& d);
int MouseY(Dos& d);
// The position of the last mouse event in the window, in graph points, and
// the buttons held.
int GetMouseState(Dos& d, int& x, int& y);
// 2 while the right button is held, else 1 while the left one is, else 0.
int MouseButtons(Dos& d);
// Waits for a key or a button press; a pressed button is waited out until
// it is released. Returns the buttons held when the wait ended.
int WaitKeyOrClick(Dos& d);
// The pointer lies in the rectangle (corners in any order, edges inclusive).
bool MouseInRect(Dos& d, int x1, int y1, int x2, int y2);

// Glides the pointer to graph point (x, y).
void MoveMouseTo(Dos& d, int x, int y);
void SetMouseX(Dos& d, int x);
void SetMouseY(Dos& d, int y);
// Keeps the pointer inside the graph rectangle; an empty one releases it.
void MouseWindow(Dos& d, int x1, int y1, int x2, int y2);
void ShowPointer(Dos& d);
void HidePointer(Dos& d);
// Takes a Windows cursor id: -11 hourglass, -3 cross, -4 text beam, -21
// hand; 0, -2 and every other id the arrow.
void SetPointerShape(Dos& d, int id);

// The DOS driver's own pointer is not drawn; the system pointer is used.
void ShowMouse(Dos& d);
void HideMouse(Dos& d);
void MouseShow(Dos& d, int flag);
bool MouseInstalled();

}  // namespace qs
