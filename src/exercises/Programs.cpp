#include "exercises/Programs.h"

#include <array>

#include "exercises/Placeholders.h"
#include "exercises/buildingsite/BuildingSite.h"
#include "exercises/buildingsite/Notation.h"
#include "exercises/comparison/Comparison.h"
#include "exercises/comparison/Notation.h"
#include "exercises/contact/Contact.h"
#include "exercises/contact/Notation.h"
#include "exercises/convert/Convert.h"
#include "exercises/convert/Notation.h"
#include "exercises/race/Notation.h"
#include "exercises/race/Race.h"
#include "exercises/syllables/Notation.h"
#include "exercises/syllables/Syllables.h"
#include "exercises/teeth/Teeth.h"
#include "exercises/twointoone/Notation.h"
#include "exercises/twointoone/TwoIntoOne.h"
#include "screen/graph/Graph.h"
#include "trainer/Editor.h"
#include "trainer/TrainerState.h"

namespace qs {

namespace {

constexpr std::array<Program, 12> kPrograms{{
    {.entry = MenuEntry::Wortvergleich,
     .hotkey = 'w',
     .menuText = "    Wortvergleich          ",
     .menuRow = 3,
     .file = FileProgram::Wortvergleich,
     .extension = "WWT",
     .fileListName = "Wortvergleich",
     .editorProgram = 1,
     .note = SelectionNote::Exposure,
     .launcher = RunComparison,
     .check = CheckComparisonList},
    {.entry = MenuEntry::Vorsilben,
     .hotkey = 'v',
     .menuText = "    Vorsilben              ",
     .menuRow = 5,
     .file = FileProgram::Vorsilben,
     .extension = "VWT",
     .fileListName = "Vorsilben",
     .editorProgram = 2,
     .startWordChoice = true,
     .certificate = true,
     .certificateName = "Vorsilben",
     .protocolTitle = "-Vorsilben-",
     .protocolHead = ProtocolHead::FirstLine,
     .quitBox = QuitBox::Navy,
     .launcher = RunRace,
     .check = CheckPrefixList},
    {.entry = MenuEntry::Endungen,
     .hotkey = 'e',
     .menuText = "    Endungen               ",
     .menuRow = 6,
     .file = FileProgram::Endungen,
     .extension = "EWT",
     .fileListName = "Endungen",
     .editorProgram = 3,
     .startWordChoice = true,
     .certificate = true,
     .certificateName = "Endungen",
     .resultWord = ResultWord::StemWithEndings,
     .protocolTitle = "-Endungen-",
     .protocolHead = ProtocolHead::FirstLine,
     .quitBox = QuitBox::NavyForRace,
     .launcher = RunEndings,
     .check = CheckEndingList},
    {.entry = MenuEntry::SilbenOrdnen,
     .hotkey = 's',
     .menuText = "    Silben ordnen           ",
     .menuRow = 7,
     .file = FileProgram::SilbenOrdnen,
     .extension = "OWT",
     .fileListName = "Silben ordnen",
     .editorProgram = 4,
     .startWordChoice = true,
     .certificate = true,
     .certificateName = "Wortteile zusammensetzen",
     .protocolTitle = "-Wortteile zusammensetzen-",
     .quitBoxPenAfter = colour::LightYellow,
     .launcher = RunSyllables,
     .check = CheckSyllableList},
    {.entry = MenuEntry::Zerlegen,
     .hotkey = 'z',
     .menuText = "    Zerlegen               ",
     .menuRow = 8,
     .file = FileProgram::Zerlegen,
     .extension = "OWT",
     .fileListName = "Silbentrennung",
     .startWordChoice = true,
     .certificate = true,
     .certificateName = "W\x94rter in Silben zerlegen",
     .protocolTitle = "-W\x94rter in Silben zerlegen-",
     .launcher = RunSyllables,
     .check = CheckSyllableList},
    {.entry = MenuEntry::Baustelle,
     .hotkey = 'b',
     .menuText = "    Baustelle              ",
     .menuRow = 9,
     .file = FileProgram::Baustelle,
     .extension = "BWT",
     .fileListName = "Baustelle",
     .editorProgram = 5,
     .startWordChoice = true,
     .launcher = RunBuildingSite,
     .check = CheckBuildingSiteList},
    {.entry = MenuEntry::Aus2Mach1,
     .hotkey = 'a',
     .menuText = "    Aus 2 mach 1           ",
     .menuRow = 10,
     .file = FileProgram::Aus2Mach1,
     .extension = "AWT",
     .fileListName = "Aus 2 mach 1",
     .editorProgram = 6,
     .protocolTitle = "-Aus 2 mach 1-",
     .launcher = RunTwoIntoOne,
     .check = CheckTwoIntoOneList},
    {.entry = MenuEntry::Kontakt,
     .hotkey = 'k',
     .menuText = "    Kontakt                ",
     .menuRow = 11,
     .file = FileProgram::KontaktGreifen,
     .extension = "KWT",
     .fileListName = "Kontakt / Greifen",
     .editorProgram = 7,
     .startWordChoice = true,
     .quitBox = QuitBox::Navy,
     .launcher = RunContact,
     .check = CheckContactList},
    // Greifen plays the Kontakt word lists under their file program number,
    // so the rules read by that number are Kontakt's.
    {.entry = MenuEntry::Greifen,
     .hotkey = 'g',
     .menuText = "    Greifen                ",
     .menuRow = 12,
     .file = FileProgram::KontaktGreifen,
     .extension = "KWT",
     .fileListName = "Kontakt / Greifen",
     .startWordChoice = true,
     .quitBox = QuitBox::Navy,
     .launcher = RunGrabbing,
     .check = CheckContactList},
    {.entry = MenuEntry::Umwandeln,
     .hotkey = 'u',
     .menuText = "    Umwandeln              ",
     .menuRow = 14,
     .file = FileProgram::Umwandeln,
     .extension = "UWT",
     .fileListName = "Umwandeln",
     .editorProgram = 8,
     .startWordChoice = true,
     .note = SelectionNote::Direction,
     .convertReset = ConvertReset::DirectionAndReversible,
     .certificate = true,
     .certificateName = "Umwandeln",
     .combinationsHeading = true,
     .protocolTitle = "-Umwandeln-",
     .protocolHead = ProtocolHead::FirstTwoLines,
     .launcher = RunConvert,
     .check = CheckConvertList},
    {.entry = MenuEntry::Reparieren,
     .hotkey = 'r',
     .menuText = "    Reparieren             ",
     .menuRow = 15,
     .file = FileProgram::Reparieren,
     .extension = "RWT",
     .fileListName = "Reparieren",
     .editorProgram = 9,
     .startWordChoice = true,
     .convertReset = ConvertReset::Direction,
     .certificate = true,
     .certificateName = "W\x94rter reparieren",
     .protocolTitle = "-W\x94rter reparieren-",
     .protocolHead = ProtocolHead::FirstTwoLines,
     .launcher = RunConvert,
     .check = CheckRepairList},
    {.entry = MenuEntry::TextEditor,
     .hotkey = 't',
     .menuText = "         Text-Editor       ",
     .menuRow = 17,
     .file = FileProgram::Editor,
     .extension = "",
     .fileListName = "",
     .wordListSelection = false,
     .launcher = EditorChooser},
}};

}  // namespace

ProgramTable AllPrograms() { return kPrograms; }

void RunEndings(Trainer& tr) {
    if (tr.t.opt.OptEndungen == 1) RunRace(tr);
    else RunTeeth(tr);
}

}  // namespace qs
