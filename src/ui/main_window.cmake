# The main window with its preview and layer list, the splash and about
# windows and the start-up sequence: sources of vorbel_ui.
set(VORBEL_UI_MAIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/layer_list_model.h
  ${CMAKE_CURRENT_LIST_DIR}/layer_list_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_box.h
  ${CMAKE_CURRENT_LIST_DIR}/preview_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/up_down_button.h
  ${CMAKE_CURRENT_LIST_DIR}/up_down_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form.h
  ${CMAKE_CURRENT_LIST_DIR}/main_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_layers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_editors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/splash_form.h
  ${CMAKE_CURRENT_LIST_DIR}/splash_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_box.h
  ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.h
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
)
set(VORBEL_UI_MAIN_LINKS vorbel_controls vorbel_render vorbel_files vorbel_platform)
