list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmFrustum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmPostProcess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRender.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRenderDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRenderFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRenderQueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRenderQueueFlush.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmRenderTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmShader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmShaderCache.cpp
)
