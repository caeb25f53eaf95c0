# Sound banks and music files: entry bounds, chunk walks, format checks, loop cuts.
zarvo_add_fuzzer(fuzz_sound
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/SoundFuzz.cpp
  LIBS zarvo_game)
