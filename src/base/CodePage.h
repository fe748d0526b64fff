// Conversions between the DOS code page 437, in which the trainer keeps its
// strings and files, and the Windows-1252 letters that fonts draw and that the
// keyboard types. Only the letters the trainer needs are mapped; every other
// byte passes unchanged.
#pragma once

#include <cstdint>
#include <string>

namespace qs {

// One typed Windows-1252 character to code page 437 (unchanged when noConversion).
uint8_t KeyToOem(uint8_t ch, bool noConversion = false);

// A..Z, a..z and the German letters of code page 437 (132 148 129 142 153 154
// 225: ä ö ü Ä Ö Ü ß), the letters a name may hold.
bool IsGermanLetter(uint8_t ch);

// Converts s from code page 437 for display; returns the number of bytes changed.
int OemToDisplay(std::string& s, bool noConversion = false);
std::string OemToDisplayCopy(const std::string& s, bool noConversion = false);

// Each byte through KeyToOem.
void DisplayToOem(std::string& s, bool noConversion = false);
std::string DisplayToOemCopy(const std::string& s, bool noConversion = false);

// The display byte of one code page 437 byte; equal to the input when it is not converted.
uint8_t OemToDisplayByte(uint8_t ch);

// Unicode code point of a Windows-1252 byte / of a code page 437 byte.
char32_t Cp1252ToUnicode(uint8_t ch);
char32_t Cp437ToUnicode(uint8_t ch);

// Windows-1252 byte of a Unicode code point, or 0 when it has none.
uint8_t UnicodeToCp1252(char32_t cp);

// UTF-8 helpers.
std::string EncodeUtf8(char32_t cp);
// Decodes the first code point of s starting at pos; advances pos. Invalid
// bytes give U+FFFD.
char32_t DecodeUtf8(const std::string& s, size_t& pos);

}  // namespace qs
