#include "Velorin/Design/SymbolBounce.h"

#include "Velorin/Design/Display.h"

namespace velorin {

void SymbolBounce::play() {
    if (Motion::instant() || Display::reduceMotion()) return;
    scale_.setValue(start);
    scale_.animateTo(1.0, Animation::spring(spring));
}

}  // namespace velorin
