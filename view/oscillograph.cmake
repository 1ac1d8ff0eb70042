# The oscillograph: the chart widget around QCustomPlot with its own mouse gestures.
add_library(oscillograph STATIC
  Oscillograph.cpp
  Oscillograph.h
)
target_include_directories(oscillograph PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(oscillograph
  PUBLIC simulation program_error Qt6::Widgets Qt6::PrintSupport QCustomPlotQt6::QCustomPlotQt6
  PRIVATE busenje_warnings)
target_link_libraries(view INTERFACE oscillograph)
