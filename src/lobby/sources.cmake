list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Widget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidgetRoot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ggSpriteManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextTextureFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextTexture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditHost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidgetText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidgetLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidgetButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidgetSelector.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidgetWindowLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidgetScroll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidgetDialog.cpp
)
