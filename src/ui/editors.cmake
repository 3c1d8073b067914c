# The layer editor dialogs, the type chooser, the value prompt, the picture
# chooser, the random button and the dialog seam they all run through: a
# library of their own that vorbel_ui links, so they build and test without
# the main window.
set(_vorbel_editor_sources
  ${CMAKE_CURRENT_LIST_DIR}/dialog_seam.h
  ${CMAKE_CURRENT_LIST_DIR}/dialog_seam.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_helpers.h
  ${CMAKE_CURRENT_LIST_DIR}/form_helpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_list.h
  ${CMAKE_CURRENT_LIST_DIR}/font_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_sample.h
  ${CMAKE_CURRENT_LIST_DIR}/text_sample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_pic_dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/open_pic_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/new_form.h
  ${CMAKE_CURRENT_LIST_DIR}/new_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/newval_form.h
  ${CMAKE_CURRENT_LIST_DIR}/newval_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/backprop_form.h
  ${CMAKE_CURRENT_LIST_DIR}/backprop_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ftext_form.h
  ${CMAKE_CURRENT_LIST_DIR}/ftext_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/btnbevel_form.h
  ${CMAKE_CURRENT_LIST_DIR}/btnbevel_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_form.h
  ${CMAKE_CURRENT_LIST_DIR}/image_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random_entry.h
  ${CMAKE_CURRENT_LIST_DIR}/random_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random_layers.h
  ${CMAKE_CURRENT_LIST_DIR}/random_layers.cpp
)
vorbel_library(vorbel_ui_editors
  SOURCES ${_vorbel_editor_sources}
  LINKS Qt6::Widgets vorbel_controls vorbel_render vorbel_picture
)
set(VORBEL_UI_EDITOR_SOURCES)
set(VORBEL_UI_EDITOR_LINKS vorbel_ui_editors)

# The picture chooser starts in a "Textures" folder beside the program. The
# build tree gets one beside the programs of src/app; installing puts it in
# share/vorbel/Textures.
set(VORBEL_TEXTURES_SOURCE_DIR ${PROJECT_SOURCE_DIR}/resources/textures)
set(VORBEL_TEXTURE_FILES
  ${VORBEL_TEXTURES_SOURCE_DIR}/blue_clouds.jpg
  ${VORBEL_TEXTURES_SOURCE_DIR}/blue_glass.bmp
  ${VORBEL_TEXTURES_SOURCE_DIR}/bricks.bmp
  ${VORBEL_TEXTURES_SOURCE_DIR}/brushed_metal.jpg
  ${VORBEL_TEXTURES_SOURCE_DIR}/gold_glass.bmp
  ${VORBEL_TEXTURES_SOURCE_DIR}/granite.bmp
  ${VORBEL_TEXTURES_SOURCE_DIR}/green_felt.jpg
  ${VORBEL_TEXTURES_SOURCE_DIR}/silver_glass.jpg
)
set(VORBEL_PROGRAM_BUILD_DIR ${CMAKE_BINARY_DIR}/src/app CACHE PATH
    "Folder of the program files in the build tree")
set(_vorbel_texture_copies)
foreach(_texture ${VORBEL_TEXTURE_FILES})
  get_filename_component(_name ${_texture} NAME)
  set(_copy ${VORBEL_PROGRAM_BUILD_DIR}/Textures/${_name})
  add_custom_command(OUTPUT ${_copy}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VORBEL_PROGRAM_BUILD_DIR}/Textures
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_texture} ${_copy}
    DEPENDS ${_texture}
    VERBATIM)
  list(APPEND _vorbel_texture_copies ${_copy})
endforeach()
add_custom_target(vorbel_textures ALL DEPENDS ${_vorbel_texture_copies})
