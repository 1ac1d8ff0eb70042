# The two windows and the program.
add_library(windows STATIC ImageView.cpp Unit1.cpp Unit2.cpp Program.cpp)
target_include_directories(windows PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(windows PUBLIC uicontrols view program_assets simulation Qt6::Widgets
                      PRIVATE busenje_warnings)

add_executable(busenje main.cpp)
target_link_libraries(busenje PRIVATE windows busenje_warnings)
add_dependencies(busenje frame_pictures)
