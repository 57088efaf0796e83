# The shortcut editor, its pickers, the action composer and the gesture studio, relative to this folder.
set(VELORIN_Editor_SOURCES
  AppScope.cpp
  AppScopePicker.cpp
  GestureChoices.cpp
  GestureListener.cpp
  GesturePicker.cpp
  GestureStudioRules.cpp
  GestureStudioSession.cpp
  ListeningRing.cpp
  MenuCommandList.cpp
  MenuCommandPicker.cpp
  MenuCommandPickerModel.cpp
  MenuPickerGuidance.cpp
  ShortcutEditorRules.cpp
)
