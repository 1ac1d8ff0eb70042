# Fails when a program of the build exports code of its own. A program that exports a
# function it compiled from a library's header (a template, an inline function) puts it in
# place of the library's own copy for the library's calls too, and a library built against
# an older Qt than the program then runs code that does not match its data.
#   cmake -DNM=nm -DPROGRAMS=a;b -P CheckExports.cmake
# Data the program takes over from the libraries (their meta-objects) is not code: it is
# exported by design.
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND "${NM}" -D --defined-only "${program}" OUTPUT_VARIABLE symbols
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} could not read ${program}")
  endif()
  # Code (T, W, i) and objects a library may define too (V, u).
  string(REGEX MATCHALL "[^\n]* [TtWwVviu] [^\n]*" code "${symbols}")
  if(code)
    list(JOIN code "\n" listed)
    message(FATAL_ERROR "${program} exports code:\n${listed}")
  endif()
endforeach()
