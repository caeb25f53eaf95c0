zarvo_add_fuzzer(fuzz_save_image
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/SaveImageFuzz.cpp
  LIBS zarvo_game)
