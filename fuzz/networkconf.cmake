# "network.conf" as any bytes, and the lobby's chat line and command rules over them.
zarvo_add_fuzzer(fuzz_networkconf
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/NetworkConfFuzz.cpp
  LIBS zarvo_game)
