// Rows of the built-in packs of the "ai" group. Not yet transcribed: each pack is built
// without rows until its rows are written here.

#include "Config/PackRows.h"

namespace velorin::packrows {

Rows claude() { return {}; }
Rows chatGPT() { return {}; }
Rows hermes() { return {}; }
Rows openClaw() { return {}; }

}  // namespace velorin::packrows
