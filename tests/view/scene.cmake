# The cross-section view and its frame files, checked pixel by pixel. Broken frame
# files are written in temporary directories; the generated pictures are read where
# the build put them.
busenje_add_test(scene_tests
  view/DrawSceneTest.cpp
  view/FrameFileTest.cpp
  view/FramePicturesTest.cpp
)
target_link_libraries(scene_tests PRIVATE scene simulation Qt6::Gui)
add_dependencies(scene_tests frame_pictures)
