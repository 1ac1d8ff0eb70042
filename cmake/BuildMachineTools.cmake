# A cross build cannot run the programs it makes, so the generators of tools/ come from a
# second build of this project with the build machine's own compiler and Qt, which makes
# nothing else. The generators are then imported under their usual target names.
include(ExternalProject)

set(build_machine_dir ${CMAKE_BINARY_DIR}/build-machine)
set(build_machine_tools frame_generator icon_generator)
set(build_machine_programs "")
foreach(tool IN LISTS build_machine_tools)
  list(APPEND build_machine_programs ${build_machine_dir}/tools/${tool})
endforeach()

ExternalProject_Add(build_machine
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${build_machine_dir}
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DBUSENJE_TOOLS_ONLY=ON -DBUSENJE_TESTS=OFF
             -DBUSENJE_BENCHMARKS=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${build_machine_tools}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${build_machine_programs})

foreach(tool IN LISTS build_machine_tools)
  add_executable(${tool} IMPORTED GLOBAL)
  set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${build_machine_dir}/tools/${tool})
  add_dependencies(${tool} build_machine)
endforeach()
