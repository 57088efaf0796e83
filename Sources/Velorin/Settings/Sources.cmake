# The settings window's content and its tabs, relative to this folder.
set(VELORIN_Settings_SOURCES
  AboutRules.cpp
  GeneralRules.cpp
  SaveNotice.cpp
  SeeThroughPreference.cpp
  SettingsContent.cpp
  SettingsView.cpp
  Shake.cpp
  ValueBinding.h
  ValueText.cpp
  WindowLayers.cpp
)
