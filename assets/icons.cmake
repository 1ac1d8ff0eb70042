# Fonts, icons and the instructions page, drawn by the program itself.
add_library(program_assets STATIC ProgramAssets.cpp)
target_include_directories(program_assets PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(program_assets PUBLIC Qt6::Gui PRIVATE busenje_warnings)
