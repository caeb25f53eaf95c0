# The replay file reader: header checks, records and playback of what it accepts.
zarvo_add_fuzzer(fuzz_replay
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ReplayFuzz.cpp
  LIBS zarvo_game)
