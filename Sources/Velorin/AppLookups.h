#pragma once
// The shell's answers about apps for the design system's views that show
// apps (pack tiles, app badges): icons through the process-wide icon cache,
// names from the table of known names and the workspace.

#include "Velorin/AppIcons.h"
#include "Velorin/AppInfo.h"
#include "Velorin/Design/AppLookup.h"

namespace velorin {

inline AppLookup appLookup() { return {&AppIcons::icon, &AppInfo::name}; }

}  // namespace velorin
