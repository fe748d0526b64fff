#include "trainer/Results.h"

namespace qs {

// Placeholders until the results and printouts are written.
void StartProtocolLine(Trainer&) {}
void AppendProtocol(Trainer&, std::string_view) {}
void PrintCertificate(Trainer& tr) { tr.t.LastKey = 27; }
void PrintTeacherProtocol(Trainer&) {}

}  // namespace qs
