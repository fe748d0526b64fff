#include "trainer/EditorPrograms.h"

namespace qs {

namespace {

const RuleLine kRules1[] = {
    {2, "Programm: Wortvergleich"},
    {4, "Wortl\204nge h\224chstens 2 x 15 Buchstaben!"},
    {5, "W\224rter durch Bindestrich trennen."},
    {7, "Beispiel:"},
    {8, "Kaffeekanne-Kaffeetasse"},
};
const RuleLine kRules2[] = {
    {2, "Programm: Vorsilben"},
    {4, "In der ersten Zeile m\201ssen die zur"},
    {5, "Anwendung kommenden Vorsilben stehen."},
    {6, "Beispiel:"},
    {7, "be-ent-ver-vor (mit Bindestrich trennen)"},
    {9, "Bei W\224rtern mit mehreren m\224glichen"},
    {10, "Vorsilben m\201ssen alle Vorsilben"},
    {11, "eingegeben werden (h\224chstens 7)"},
    {12, "Beispiel:"},
    {13, "ab-an-be-ent-ge-ver-vor-stehen"},
    {15, "Silben im Wort k\224nnen mit _ getrennt"},
    {16, "werden. Beispiel: ver-ste_hen"},
    {18, "Wortl\204nge h\224chstens 30 Buchstaben."},
};
const RuleLine kRules3[] = {
    {2, "Programm: Endungen"},
    {4, "In der ersten Zeile m\201ssen die zur"},
    {5, "Anwendung kommenden Endungen stehen."},
    {6, "Beispiel: ung_heit_keit (durch"},
    {7, "Unterstrich trennen)."},
    {8, "Silben k\224nnen mit Bindestrich"},
    {9, "getrennt werden (nicht in der Endung)."},
    {10, "Bei W\224rtern mit mehreren m\224glichen"},
    {11, "Endungen m\201ssen alle Endungen"},
    {12, "eingegeben werden (h\224chstens 7)"},
    {14, "Beispiel:   ab-bei_\341en_zen"},
    {15, "Jede Endung/Endsilbe mit _ trennen."},
    {17, "Gesamte Wortl\204nge h\224chst. 30 Buchstaben."},
};
const RuleLine kRules4[] = {
    {2, "Programm: Silben ordnen/ Zerlegen"},
    {5, "Wortl\204nge h\224chstens 30 Buchstaben!"},
    {6, "Silben durch Bindestrich trennen."},
    {8, "Beispiel:"},
    {9, "Kaf-fee-tas-se"},
    {11, "Programm: Zerlegen"},
    {12, "F\201r Wortst\204mme, Endungen usw."},
    {13, "Option: Zerlegen = \"andere\" einstellen"},
};
const RuleLine kRules5[] = {
    {2, "Programm: Baustelle"},
    {4, "Es k\224nnen mehrere W\224rter pro Zeile"},
    {5, "eingegeben werden, bis 30 Zeichen."},
    {6, "Der zu bearbeitende Teil mu\341 mit"},
    {7, "Bindestrich beginnen und enden."},
    {8, "1. Beispiel: der -kalte- Winter"},
    {9, "2. Beispiel: -Denkmal-schutz"},
};
const RuleLine kRules6[] = {
    {2, "Programm: Aus 2 mach 1"},
    {4, "Pro Wortteil h\224chstens 12 Buchstaben!"},
    {6, "Zusammengesetzte W\224rter"},
    {7, "durch Bindestrich trennen."},
    {9, "Beispiel 1: Kaffee-tasse"},
    {10, "Beispiel 2: Kaffeetasse_Tasse-Kaffee"},
    {11, "Nicht beide Eingabearten in einer"},
    {12, "Datei verwenden."},
};
const RuleLine kRules7[] = {
    {2, "Programme: Kontakt / Greifen"},
    {4, "Erlaubt sind 2 Wortteile, die durch"},
    {5, "einen Bindestrich getrennt werden."},
    {6, "Jedes Wortteil darf aus bis zu"},
    {7, "8 Buchstaben bestehen."},
    {8, "Beispiel: Autobahn-auffahrt"},
    {9, "Nach 4, 6 oder 8 Worten mu\341 eine"},
    {10, "Zeile mit einem Bindestrich stehen."},
    {11, "Beachten Sie unbedingt die Anleitung!"},
};
const RuleLine kRules8[] = {
    {2, "Programm: Umwandeln"},
    {4, "Die ersten 2 Zeilen sind f\201r die Regel."},
    {5, "Anleitung beachten!!!"},
    {6, "Erst das Nomen, dann das Verb eingeben."},
    {7, "Beispiel: (mit Bindestrich trennen)"},
    {8, "der B\204cker-backen"},
    {9, "Wird als 1. Zeichen in der 1. Zeile"},
    {10, "ein ! eingegeben, kann die Umwandlung"},
    {11, "im Programm mit F5 umgekehrt werden."},
    {12, "(Je nach Inhalt sinnvoll einsetztbar.)"},
};
const RuleLine kRules9[] = {
    {2, "Programm: Reparieren"},
    {4, "In der 1. Zeile stehen die Buchstaben,"},
    {5, "die im Wort durch den Buchstaben er-"},
    {6, "setzt werden, der in der 2. Zeile steht."},
    {7, "Vor den Buchstaben (in der 1. Zeile"},
    {8, "sind bis zu 2 erlaubt) mu\341 ein"},
    {9, "Bindestrich stehen.     Beispiele:"},
    {10, "1. Zeile    Aus -a -e -o -u -ie -ei"},
    {11, "2. Zeile    wird -x (oder -.  oder -?)"},
    {12, "2. Zeile    wird _x und umgekehrt."},
};
const RuleLine kCommonRules[] = {
    {3, "Eingabevorschrift:"},
    {19, "Begrenzung = 300 W\224rter"},
    {20, "Abbruch = ESC"},
    {21, "F5 = Speichern unter gleichem Namen."},
    {22, "F6 = Speichern mit neuem Namen."},
    {23, "F8 = Neue Datei er\224ffnen."},
    {24, "F9 = Datei drucken."},
};

const EditorProgramInfo kEditorPrograms[kEditorProgramCount] = {
    {" 1. Wortvergleich           ", 3, FileProgram::Wortvergleich, "WWT", kRules1},
    {" 2. Vorsilben               ", 5, FileProgram::Vorsilben, "VWT", kRules2},
    {" 3. Endungen                ", 6, FileProgram::Endungen, "EWT", kRules3},
    {" 4. Silben ordnen/ Zerlegen ", 7, FileProgram::SilbenOrdnen, "OWT", kRules4},
    {" 5. Baustelle               ", 9, FileProgram::Baustelle, "BWT", kRules5},
    {" 6. Aus 2 mach 1            ", 11, FileProgram::Aus2Mach1, "AWT", kRules6},
    {" 7. Kontakt / Greifen       ", 12, FileProgram::KontaktGreifen, "KWT", kRules7},
    {" 8. Umwandeln               ", 14, FileProgram::Umwandeln, "UWT", kRules8},
    {" 9. Reparieren              ", 15, FileProgram::Reparieren, "RWT", kRules9},
};

}  // namespace

const EditorProgramInfo* EditorProgramByNo(int editorProgram) {
    if (editorProgram < 1 || editorProgram > kEditorProgramCount) return nullptr;
    return &kEditorPrograms[editorProgram - 1];
}

std::span<const RuleLine> CommonEditorRules() { return kCommonRules; }

}  // namespace qs
