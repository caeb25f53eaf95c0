# The race network's receive path: datagram form, sender checks and every payload field.
zarvo_add_fuzzer(fuzz_race_receive
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/RaceReceiveFuzz.cpp
  LIBS zarvo_game)
