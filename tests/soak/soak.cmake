# The long run of the window: 100,000 ticks, a few seconds in the default build and a
# few minutes under the sanitizers.
if(BUSENJE_SOAK)
  add_executable(soak_test soak/SoakTest.cpp)
  target_link_libraries(soak_test PRIVATE qt_test_main windows test_support busenje_warnings)
  add_dependencies(soak_test frame_pictures)
  add_test(NAME Soak.HundredThousandTicksWithRandomInput COMMAND soak_test
           WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(Soak.HundredThousandTicksWithRandomInput PROPERTIES
                       TIMEOUT 3000 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
