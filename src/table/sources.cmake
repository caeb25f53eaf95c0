list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CourseTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EngineTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MachineEffectRows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MachineTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RaceDisplayTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReplayCameraTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenLayoutTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoundBankTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/yiResourceGroup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSpriteGroup.cpp
)
