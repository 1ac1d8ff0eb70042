busenje_add_test(oscillograph_tests view/OscillographTest.cpp)
target_link_libraries(oscillograph_tests PRIVATE oscillograph Qt6::Test)
