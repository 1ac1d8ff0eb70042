# The window's own controls: the spin edit, the strict whole-number conversion,
# the message box and the error report.
add_library(uicontrols STATIC
  ${CMAKE_CURRENT_LIST_DIR}/StrictConversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpinEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorReport.cpp
)
target_include_directories(uicontrols PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(uicontrols PUBLIC simulation program_error Qt6::Widgets PRIVATE busenje_warnings)
