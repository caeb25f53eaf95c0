list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmArchiver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmEngineTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmExtDataBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmFileList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmLogFile.cpp
)
