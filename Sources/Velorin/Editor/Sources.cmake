# The shortcut editor, its pickers, the action composer and the gesture studio, relative to this folder.
set(VELORIN_Editor_SOURCES
  AppScope.cpp
  GestureChoices.cpp
  GesturePicker.cpp
  ListeningRing.cpp
  MenuCommandList.cpp
  MenuCommandPickerModel.cpp
  MenuPickerGuidance.cpp
)
