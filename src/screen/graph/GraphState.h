// Drawing state of the BGI-style graphics screen.
#pragma once

namespace qs {

struct GraphState {
};

}  // namespace qs
