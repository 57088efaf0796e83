# The packs browser and editor, relative to this folder.
set(VELORIN_Packs_SOURCES
  AppDirectory.cpp
  CardGrid.cpp
  Keycap.cpp
  Overlays.cpp
  PackArt.cpp
  PackArtLayer.cpp
  PackArtLayout.cpp
  PackBrowser.cpp
  PackCardRules.cpp
  PackEditorModel.cpp
  PackTabs.cpp
  ScopeLabel.cpp
  SearchField.cpp
  ThemedLabel.cpp
)
