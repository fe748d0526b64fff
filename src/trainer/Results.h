// Results of an exercise run, the work certificate and the teacher
// protocol.
//
// While a child works through a word list the exercises fill two records:
// the results table (Results / ResultCount: a word's line number, plus 1000
// when it had mistakes), from which the work certificate is printed, and the
// teacher protocol (ProtocolLines / ProtocolCount), one line per exercise
// start and one per word, which the program writes to LS1DAT\LEHRER.TXT at
// its end and which can be printed from the quit question.
#pragma once

#include <string>
#include <string_view>

#include "trainer/TrainerState.h"

namespace qs {

// Opens the protocol for an exercise start: the heading line with today's
// date when the protocol is still empty, then the exercise's line (title,
// the word list's first lines where the exercise has a rule there, and the
// word file). A full protocol (100 lines) takes nothing more.
void StartProtocolLine(Trainer& tr);

// Appends text to the open protocol line of the word being played; nothing
// with two players or a full protocol.
void AppendProtocol(Trainer& tr, std::string_view text);

// The word a results entry stands for on the certificate, from its
// word-list line: for the Endungen rule the stem joined with each ending
// ("ab-bei_\xe1en_zen" -> "ab-bei\xe1en, ab-beizen"; a line without '_'
// gives ""), otherwise the line without its '_'. At most 80 characters.
std::string FormatResultWord(std::string_view line, ResultWord rule);

// A date as day "." month "." year, without leading zeros.
std::string PlainDate(int day, int month, int year);

// The institution's name and its place for the certificate: settings
// "Zeugnis"/"Schule" and "Zeugnis"/"Ort" of the program, stored as Windows
// letters like every registry string, returned in code page 437; empty when
// not set.
std::string CertificateSchool(Trainer& tr);
std::string CertificatePlace(Trainer& tr);

// Asks whether to print the work certificate, lets a single player correct
// the name, and prints one certificate per player. Ends with LastKey = ESC.
void PrintCertificate(Trainer& tr);

// Prints the teacher protocol (the open line included); "Drucker
// einschalten!" in the current window when the printer file cannot be made.
void PrintTeacherProtocol(Trainer& tr);

}  // namespace qs
