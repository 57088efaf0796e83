# The packs browser and editor, relative to this folder.
set(VELORIN_Packs_SOURCES
)
