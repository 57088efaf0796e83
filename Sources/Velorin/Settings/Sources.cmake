# The settings window's content and its tabs, relative to this folder.
set(VELORIN_Settings_SOURCES
  AboutRules.cpp
  AboutTab.cpp
  GeneralRules.cpp
  GeneralTab.cpp
  MyShortcutsRules.cpp
  SaveNotice.cpp
  SeeThroughPreference.cpp
  SettingsCard.cpp
  SettingsContent.cpp
  SettingsView.cpp
  Shake.cpp
  TabPage.cpp
  ValueBinding.h
  ValueText.cpp
  WindowLayers.cpp
)
