# The main window end to end: real clicks and keys, boxes recorded, frames on disk.
busenje_add_qt_test(MainWindowTest ui/MainWindowTest.cpp)
target_link_libraries(MainWindowTest PRIVATE windows test_support Qt6::Test)
add_dependencies(MainWindowTest frame_pictures)

# The instructions page once more on a machine whose only fonts are the DejaVu fonts.
configure_file(ui/dejavu-only.conf.in ${CMAKE_CURRENT_BINARY_DIR}/dejavu-only.conf @ONLY)
gtest_discover_tests(MainWindowTest TEST_SUFFIX .DejaVuOnly TEST_FILTER "InstructionsWindow.*"
                     WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
                     PROPERTIES ENVIRONMENT
                     "FONTCONFIG_FILE=${CMAKE_CURRENT_BINARY_DIR}/dejavu-only.conf"
                     DISCOVERY_TIMEOUT 60)
