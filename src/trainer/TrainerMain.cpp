#include "trainer/TrainerMain.h"

#include "screen/Keyboard.h"
#include "trainer/TitleScreen.h"

namespace qs {

// Until the menu exists: the title screen, left with ESC.
void TrainerMain(Trainer& tr) {
    ShowTitleScreen(tr.d);
    while (ReadKey(tr.d) != 27) {
    }
}

}  // namespace qs
