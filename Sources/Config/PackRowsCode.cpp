// Rows of the built-in packs of the "code" group. Not yet transcribed: each pack is built
// without rows until its rows are written here.

#include "Config/PackRows.h"

namespace velorin::packrows {

Rows vsCode() { return {}; }
Rows cursor() { return {}; }
Rows zed() { return {}; }
Rows windsurf() { return {}; }
Rows jetBrains() { return {}; }
Rows neovim() { return {}; }
Rows xcode() { return {}; }

}  // namespace velorin::packrows
