# The main window end to end: real clicks and keys, boxes recorded, frames on disk.
busenje_add_qt_test(MainWindowTest ui/MainWindowTest.cpp)
target_link_libraries(MainWindowTest PRIVATE windows Qt6::Test)
add_dependencies(MainWindowTest frame_pictures)
