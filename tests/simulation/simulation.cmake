busenje_add_test(simulation_tests
  simulation/LoadModelTest.cpp
  simulation/MaterialsTest.cpp
  simulation/MachiningInputsTest.cpp
  simulation/ProcessTickTest.cpp
  simulation/NumberFormatTest.cpp
)
target_link_libraries(simulation_tests PRIVATE simulation)
