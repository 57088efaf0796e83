# The shortcut editor, its pickers, the action composer and the gesture studio, relative to this folder.
set(VELORIN_Editor_SOURCES
  ActionComposer.cpp
  AppScope.cpp
  AppScopePicker.cpp
  ComposerPanels.cpp
  ComposerPendingPanels.cpp
  ComposerRules.cpp
  ComposerWidgets.cpp
  GestureChoices.cpp
  GesturePicker.cpp
  ListeningRing.cpp
  MenuCommandList.cpp
  MenuCommandPicker.cpp
  MenuCommandPickerModel.cpp
  MenuPickerGuidance.cpp
)
