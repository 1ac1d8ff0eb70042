# One redraw of the cross-section including the frame file read; it needs the pictures.
busenje_add_benchmark(scene_bench SceneBench.cpp)
target_link_libraries(scene_bench PRIVATE scene simulation Qt6::Gui)
add_dependencies(scene_bench frame_pictures)
