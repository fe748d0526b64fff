#include "exercises/common/WordChoice.h"

#include <algorithm>
#include <vector>

#include "exercises/common/Players.h"
#include "trainer/Random.h"

namespace qs {

namespace {

constexpr int kOrdered = 1;  // OptWortwahl " Reihenfolge "

int NextInOrder(const WordSequence& s, int wordCount) {
    return s.position + 1 > wordCount ? s.first : s.position + 1;
}

int DrawAtRandom(const PlayersState& p, const WordSequence& s, int wordCount,
                 const RandomSource& draw) {
    const int candidates = wordCount - s.first + 1;
    if (candidates <= 0) return s.first;
    std::vector<int> blocked;
    auto block = [&](int line) {
        const bool inRange = line >= s.first && line <= wordCount;
        if (inRange && std::find(blocked.begin(), blocked.end(), line) == blocked.end())
            blocked.push_back(line);
    };
    block(p.CurrentWordNo);
    if (s.avoidWordBefore) block(s.wordBefore);
    const bool choice = candidates > static_cast<int>(blocked.size());
    int line = 0;
    do {
        line = s.first + draw(candidates);
    } while (choice && std::find(blocked.begin(), blocked.end(), line) != blocked.end());
    return line;
}

}  // namespace

WordSequence StartWordSequence(const Trainer& tr, int first, bool avoidWordBefore) {
    WordSequence s;
    s.first = first;
    s.ordered = tr.t.opt.OptWortwahl == kOrdered;
    s.avoidWordBefore = avoidWordBefore;
    s.position = first - 1;
    if (s.ordered) s.position = std::max(s.position, tr.t.CurrentLine - 1);
    return s;
}

int NextWord(PlayersState& p, WordSequence& s, int wordCount, const RandomSource& draw) {
    if (p.ResumeWordPos > 0) {
        s.position = p.ResumeWordPos;
        p.ResumeWordPos = 0;
    }
    const int interrupted = s.position;
    int repeated = 0;
    if (TakeRepeatedWord(p, repeated)) {
        p.ResumeWordPos = interrupted;
        s.position = repeated;
        return s.position;
    }
    s.position = s.ordered ? NextInOrder(s, wordCount) : DrawAtRandom(p, s, wordCount, draw);
    NewWordChosen(p);
    s.wordBefore = p.CurrentWordNo;
    p.CurrentWordNo = s.position;
    return s.position;
}

int NextWord(Trainer& tr, WordSequence& s) {
    return NextWord(tr.players, s, tr.t.WordCount, [&tr](int n) { return Random(tr, n); });
}

}  // namespace qs
