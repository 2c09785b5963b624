# Stand-ins for what the scene model needs from outside its library (a scene tree and a visual of
# the tests' own); linked by the scene tests and the scene fuzz targets, so also made without the
# tests. An object library: the stand-ins complete the scene library, whatever the link order.
if(NOT TARGET tavrolin_scene_stand_ins)
  add_library(tavrolin_scene_stand_ins OBJECT
    ${CMAKE_CURRENT_LIST_DIR}/TestTree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TestVisual.cpp)
  target_include_directories(tavrolin_scene_stand_ins PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(tavrolin_scene_stand_ins PUBLIC tavrolin_scene tavrolin_document tavrolin_shell)
endif()
