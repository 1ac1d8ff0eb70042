# The program's fonts, and its icons and instructions page, drawn by the program itself.
add_library(program_assets STATIC ProgramAssets.cpp ProgramFonts.cpp)
target_include_directories(program_assets PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(program_assets PUBLIC Qt6::Gui PRIVATE busenje_warnings)

# The icon of the desktop entry, drawn at build time like the frame pictures.
add_executable(icon_generator IconGenerator.cpp)
target_link_libraries(icon_generator PRIVATE program_assets busenje_warnings)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/share/busenje.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/share
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:icon_generator> ${CMAKE_BINARY_DIR}/share
  DEPENDS icon_generator
  COMMENT "Drawing the program's icon"
  VERBATIM)
add_custom_target(desktop_icon ALL DEPENDS ${CMAKE_BINARY_DIR}/share/busenje.png)
