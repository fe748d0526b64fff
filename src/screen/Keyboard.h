// Keyboard input, the message pump, waiting and sound calls of the emulated
// DOS screen. Every wait runs the window's message loop one step at a time.
#pragma once

#include <cstdint>
#include <string>

#include "screen/Dos.h"

namespace qs {

// Key-down conversion of the window's handler: appends the DOS extended
// code of key to KeyBuffer (sets ExtendedKey when it did). Returns whether
// it appended.
bool KeyDownToBuffer(Dos& d, Key key);
// The window's handlers hand keyboard events on through these two (Alt
// handling stays with the window). A key-down gives its DOS extended code
// (KeyDownToBuffer); Return, Escape, Backspace and Tab type 13, 27, 8 and 9.
void KeyDownToKeys(Dos& d, Key key);
// Typed text (UTF-8): each character as its Windows-1252 letter, converted
// to code page 437 (KeyToOem); characters Windows-1252 lacks are dropped.
void TextToKeys(Dos& d, const std::string& utf8);
// The Windows-1252 letters of typed text, in order, without those it lacks.
std::string WindowsLetters(const std::string& utf8);
// The DOS extended code of a key, or 0.
uint8_t ExtendedCodeOf(Key key, bool exclusive);

uint8_t ReadKey(Dos& d);
bool KeyPressed(Dos& d);
// For loops of the program's own that poll for a key or a click instead of
// calling ReadKey: a scripted run that is used up ends here (the hook for
// waits for input runs when nothing is pending).
void NoteWaitingForInput(Dos& d);
void WaitForEnter(Dos& d);
void FlushKeyMessages(Dos& d);
void ArrowToEditKey(Dos& d, uint8_t& ch);
void PumpMessages(Dos& d, bool force);
void Delay(Dos& d, double ms);

// The file PlayWav plays for fileName: the program folder's file of that name
// when it exists, else the name as given; empty when neither is a file.
std::string WavPath(Dos& d, const std::string& fileName);
bool PlayWav(Dos& d, const std::string& fileName);
void StopSound(Dos& d);
void Tone(Dos& d, int frequency, int ms);

void GetToday(Dos& d, int& year, int& month, int& day, std::string& dateText, int& dayIndex);

}  // namespace qs
