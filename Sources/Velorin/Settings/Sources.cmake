# The settings window's content and its tabs, relative to this folder.
set(VELORIN_Settings_SOURCES
  SettingsView.cpp
)
