#include "trainer/Notation.h"

namespace qs {

std::string ProblemText(const NotationProblem& problem) {
    std::string text = problem.block ? "Block ab Zeile " : "Zeile ";
    text += std::to_string(problem.line);
    text += ": ";
    text += problem.message;
    return text;
}

}  // namespace qs
