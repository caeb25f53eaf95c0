# The lobby receive path: frames, cipher and every receivable.
zarvo_add_fuzzer(fuzz_lobby_receive
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/LobbyReceiveFuzz.cpp
  LIBS lobbyclient_static)
