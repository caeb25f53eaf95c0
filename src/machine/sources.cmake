list(APPEND ZARVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tmMachine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineContact.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineCore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineDriver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineDrivetrain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineEffect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineLook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineMove.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineParams.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineSound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineSources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmMachineTires.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tmSimSound.cpp
)
