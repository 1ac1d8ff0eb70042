cmake_minimum_required(VERSION 3.25)
# Fails when a program of the build exports code or data of its own. A program that exports
# a function it compiled from a library's header (a template, an inline function) puts it in
# place of the library's own copy for the library's calls too, and a library built against
# an older Qt than the program then runs code that does not match its data.
#   cmake -DNM=nm -DREADELF=readelf -DPROGRAMS=a;b -P CheckExports.cmake
# What the program exports only because it holds a copy of a library's data, moved there
# when the program starts (a copy relocation: meta-objects, vtables), is the library's own;
# and the type information of classes (the sanitizers' builds emit Qt's), which programs
# and libraries share by name on purpose, so that a type is one type everywhere.
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND "${NM}" -D --defined-only "${program}" OUTPUT_VARIABLE symbols
                  RESULT_VARIABLE listed)
  execute_process(COMMAND "${READELF}" -rW "${program}" OUTPUT_VARIABLE relocations
                  RESULT_VARIABLE read)
  if(NOT listed EQUAL 0 OR NOT read EQUAL 0)
    message(FATAL_ERROR "${NM} or ${READELF} could not read ${program}")
  endif()
  string(REGEX MATCHALL "_COPY +[0-9a-f]+ +_Z[^ @\n]*" copies "${relocations}")
  list(TRANSFORM copies REPLACE "^_COPY +[0-9a-f]+ +" "")
  string(REGEX MATCHALL "[^\n]* _Z[^\n]*" exported "${symbols}")
  set(own "")
  foreach(line IN LISTS exported)
    string(REGEX REPLACE "^.* (_Z[^ @]*).*$" "\\1" name "${line}")
    if(NOT name IN_LIST copies AND NOT name MATCHES "^_ZT[IS]")
      list(APPEND own "${line}")
    endif()
  endforeach()
  if(own)
    list(JOIN own "\n" listed)
    message(FATAL_ERROR "${program} exports its own:\n${listed}")
  endif()
endforeach()
