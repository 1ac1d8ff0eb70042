# The cross-section: DrawScene paints the scene into a QImage; FrameFile reads the drill's
# frame pictures from the working directory.
add_library(scene STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DrawScene.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameFile.cpp
)
target_include_directories(scene PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(scene PUBLIC simulation program_error Qt6::Gui PRIVATE busenje_warnings)
target_link_libraries(view INTERFACE scene)
