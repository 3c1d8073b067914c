# The help window: a library of its own that vorbel_ui links, so that it
# builds and tests without the main window.
vorbel_library(vorbel_ui_help
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/help_viewer.h
    ${CMAKE_CURRENT_LIST_DIR}/help_viewer.cpp
  LINKS
    Qt6::Widgets
    vorbel_help
)

# Puts the help file and its pictures where the window program looks for
# them: the folder help/winhelp beside the program file.
function(vorbel_copy_help target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/help/winhelp
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/resources/help/vorbelkit.hlp
            $<TARGET_FILE_DIR:${target}>/help/winhelp/vorbelkit.hlp
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/resources/help/images
            $<TARGET_FILE_DIR:${target}>/help/winhelp/images
    VERBATIM)
endfunction()

# Draws the pictures of the help document (resources/help/make_screenshots.sh
# runs it); built on request only.
add_executable(vorbel-help-screenshots EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/help_screenshots.cpp)
target_link_libraries(vorbel-help-screenshots PRIVATE vorbel_ui)
vorbel_warnings(vorbel-help-screenshots)
