# The program's fonts, icons and instructions page (program_assets), and its icon for the
# desktop's menu and for software centres, drawn at build time like the frame pictures:
# PNGs of the sizes below and a scalable SVG, all showing the window's icon pixel for pixel.
add_library(program_assets STATIC ProgramAssets.cpp ProgramFonts.cpp)
target_include_directories(program_assets PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(program_assets PUBLIC Qt6::Gui PRIVATE busenje_warnings)

add_executable(icon_generator IconGenerator.cpp)
target_link_libraries(icon_generator PRIVATE program_assets busenje_warnings)

set(BUSENJE_ICON_DIR ${CMAKE_BINARY_DIR}/share/icons)
set(BUSENJE_ICON_SIZES 32 64 128)
set(icon_files ${BUSENJE_ICON_DIR}/scalable/busenje.svg)
foreach(size IN LISTS BUSENJE_ICON_SIZES)
  list(APPEND icon_files ${BUSENJE_ICON_DIR}/${size}x${size}/busenje.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:icon_generator> ${BUSENJE_ICON_DIR} ${BUSENJE_ICON_SIZES}
  DEPENDS icon_generator
  COMMENT "Drawing the program's icons"
  VERBATIM)
add_custom_target(desktop_icon ALL DEPENDS ${icon_files})

# The install rules in packaging/ install the icons too.
set(BUSENJE_ICON_DIR ${BUSENJE_ICON_DIR} PARENT_SCOPE)
set(BUSENJE_ICON_SIZES ${BUSENJE_ICON_SIZES} PARENT_SCOPE)
