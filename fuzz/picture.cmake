# Player pictures from the lobby network: any bytes, decoded as JPEG (nothing else is accepted) and scaled to 122 x 122.
zarvo_add_fuzzer(fuzz_picture
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/PictureFuzz.cpp
  LIBS zarvo_game)
