# The lobby poll of the game thread while the test lobby server floods it.
zarvo_add_bench(bench_lobby
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/LobbyBench.cpp
          ${CMAKE_SOURCE_DIR}/tests/lobbyclient/LobbyWire.cpp
          ${CMAKE_SOURCE_DIR}/tests/lobbyclient/TestLobbyServer.cpp
  LIBS lobbyclient_static)
target_include_directories(bench_lobby PRIVATE ${CMAKE_SOURCE_DIR}/tests)
