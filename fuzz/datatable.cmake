zarvo_add_fuzzer(fuzz_datatable
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/DataTableFuzz.cpp
  LIBS zarvo_format)
