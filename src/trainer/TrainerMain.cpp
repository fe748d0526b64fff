#include "trainer/TrainerMain.h"

#include "screen/Keyboard.h"
#include "trainer/TitleScreen.h"

namespace qs {

// Until the menu exists: the title screen, left with ESC.
void TrainerMain(Dos& d) {
    ShowTitleScreen(d);
    while (ReadKey(d) != 27) {
    }
}

}  // namespace qs
