// Rows of the built-in packs of the "work" group. Not yet transcribed: each pack is built
// without rows until its rows are written here.

#include "Config/PackRows.h"

namespace velorin::packrows {

Rows obsidian() { return {}; }
Rows notion() { return {}; }
Rows linear() { return {}; }

}  // namespace velorin::packrows
