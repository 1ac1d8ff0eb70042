# The 42 drill frame pictures are made at build time by frame_generator and land
# beside the program in the runtime output directory, where the program reads them.
add_executable(frame_generator FrameGenerator.cpp)
target_link_libraries(frame_generator PRIVATE scene simulation Qt6::Gui busenje_warnings)

set(BUSENJE_FRAME_PICTURES "")
foreach(prefix 5 10 15 20 25 30 50)
  foreach(frame RANGE 1 6)
    list(APPEND BUSENJE_FRAME_PICTURES "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${prefix}_${frame}.BMP")
  endforeach()
endforeach()

# A sanitizer build must not fail on what the leak checker thinks of Qt at exit.
add_custom_command(
  OUTPUT ${BUSENJE_FRAME_PICTURES}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:frame_generator> ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
  DEPENDS frame_generator
  COMMENT "Drawing the 42 drill frame pictures"
  VERBATIM)
add_custom_target(frame_pictures ALL DEPENDS ${BUSENJE_FRAME_PICTURES})
