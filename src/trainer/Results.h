// Results of an exercise run, the work certificate and the teacher
// protocol.
#pragma once

#include <string_view>

#include "trainer/TrainerState.h"

namespace qs {

void StartProtocolLine(Trainer& tr);
void AppendProtocol(Trainer& tr, std::string_view text);
// Ends with LastKey = ESC.
void PrintCertificate(Trainer& tr);
void PrintTeacherProtocol(Trainer& tr);

}  // namespace qs
