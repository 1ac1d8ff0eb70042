busenje_add_benchmark(window_bench WindowBench.cpp)
target_link_libraries(window_bench PRIVATE windows test_support Qt6::Test)
add_dependencies(window_bench frame_pictures)
