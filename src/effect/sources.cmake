list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmEffParticles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmEffectRandom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tyBoostTail.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tyBoostTailManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tyEffectManager.cpp
)
