# The shortcut editor, its pickers, the action composer and the gesture studio, relative to this folder.
set(VELORIN_Editor_SOURCES
)
