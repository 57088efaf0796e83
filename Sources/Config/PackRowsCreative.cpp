// Rows of the built-in packs of the "creative" group. Not yet transcribed: each pack is built
// without rows until its rows are written here.

#include "Config/PackRows.h"

namespace velorin::packrows {

Rows screenStudio() { return {}; }
Rows blender() { return {}; }
Rows unity() { return {}; }
Rows figma() { return {}; }
Rows finalCut() { return {}; }
Rows logic() { return {}; }
Rows davinci() { return {}; }

}  // namespace velorin::packrows
