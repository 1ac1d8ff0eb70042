# The window's own controls, driven with real keys and mouse clicks; beeps and
# boxes are recorded through the message sink instead of blocking.
busenje_add_qt_test(UiControlsTest
  ui/StrictConversionTest.cpp
  ui/SpinEditTest.cpp
  ui/MessageBoxTest.cpp
  ui/ErrorReportTest.cpp
)
target_link_libraries(UiControlsTest PRIVATE uicontrols test_support Qt6::Test)
