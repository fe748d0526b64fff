#include "trainer/Programs.h"

#include <algorithm>

#include "trainer/TrainerState.h"

namespace qs {

namespace {

template <class Fits>
const Program* Find(ProgramTable programs, Fits fits) {
    const auto it = std::find_if(programs.begin(), programs.end(), fits);
    return it == programs.end() ? nullptr : &*it;
}

}  // namespace

const Program* ByEntry(ProgramTable programs, int entry) {
    return Find(programs, [entry](const Program& p) { return No(p.entry) == entry; });
}

const Program* ByHotkey(ProgramTable programs, char key) {
    if (key == 0) return nullptr;
    return Find(programs, [key](const Program& p) { return p.hotkey == key; });
}

const Program* ByFileProgram(ProgramTable programs, int fileProgram) {
    return Find(programs, [fileProgram](const Program& p) { return No(p.file) == fileProgram; });
}

const Program* ByEditorProgram(ProgramTable programs, int editorProgram) {
    if (editorProgram == 0) return nullptr;
    return Find(programs,
                [editorProgram](const Program& p) { return p.editorProgram == editorProgram; });
}

const Program* MenuProgram(const Trainer& tr) { return ByEntry(tr.programs, tr.t.ProgramNo); }

const Program* RunningProgram(const Trainer& tr) {
    return ByFileProgram(tr.programs, tr.t.ProgramNo);
}

bool IsRunning(const TrainerState& t, FileProgram f) { return t.ProgramNo == No(f); }

}  // namespace qs
