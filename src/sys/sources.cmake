list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmArchiver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmExtDataBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmFileList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmTimer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmLogFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRenderQueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRenderQueueFlush.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRenderSetting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmResource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmShape.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmTexture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmPeripheral.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmNetwork.cpp
)
