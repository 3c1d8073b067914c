# Translations of the program's messages. The English texts in the source are
# the originals; a language is added by adding a file, nothing else:
#   po/<language>.po                   the core's and the command line's messages
#                                      (GNU gettext), from po/vorbel.pot
#   translations/vorbel_<language>.ts  the window's own texts (Qt Linguist)
# Both are compiled beside the programs in the build tree and installed where
# the programs look (desktop::TranslationFoldersFor):
#   <prefix>/share/locale/<language>/LC_MESSAGES/vorbel.mo
#   <prefix>/share/vorbel/translations/vorbel_<language>.qm
#
# The same po/<language>.po also translates what the desktop shows of the
# installed program: the desktop entry, the layout files' MIME type and the
# AppStream metadata are merged with their translations at build time
# (msgfmt --desktop / --xml, vorbel_merge_translations).
#
# Targets for translators: `vorbel_pot` extracts the messages of the core and
# the command line, and the texts of the AppStream metadata, into
# po/vorbel.pot; `vorbel_ts` brings every translations/vorbel_*.ts up to date
# with the window's sources (make a new one with lupdate ...
# -ts translations/vorbel_<language>.ts, see README). scripts/update-translations.sh
# runs both and merges po/vorbel.pot into every po/*.po.

find_program(MSGFMT_PROGRAM msgfmt)
find_program(XGETTEXT_PROGRAM xgettext)
find_program(LRELEASE_PROGRAM lrelease HINTS /usr/lib/qt6/bin)
find_program(LUPDATE_PROGRAM lupdate HINTS /usr/lib/qt6/bin)

# The translations msgfmt --desktop and --xml merge: a copy of every
# po/*.po with the LINGUAS file that lists them, so that a language is added
# by its .po file alone.
set(VORBEL_MERGE_PO_DIR ${PROJECT_BINARY_DIR}/po)
file(GLOB VORBEL_SHIPPED_PO CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/*.po)
list(SORT VORBEL_SHIPPED_PO)
set(_linguas "")
foreach(_po ${VORBEL_SHIPPED_PO})
  get_filename_component(_language ${_po} NAME_WE)
  string(APPEND _linguas "${_language}\n")
endforeach()
file(CONFIGURE OUTPUT ${VORBEL_MERGE_PO_DIR}/LINGUAS CONTENT "${_linguas}")

# vorbel_merge_translations(TARGET KIND desktop|xml TEMPLATE file OUTPUT file)
# Writes OUTPUT: the desktop entry or XML file TEMPLATE with the translations
# of every shipped language merged in (the XML kinds msgfmt knows by their
# ITS rules: AppStream metadata, shared MIME-info packages). TARGET builds
# it; a build step that makes TEMPLATE comes first when TEMPLATE is its
# output.
function(vorbel_merge_translations target)
  cmake_parse_arguments(ARG "" "KIND;TEMPLATE;OUTPUT" "" ${ARGN})
  if(NOT MSGFMT_PROGRAM)
    message(FATAL_ERROR "msgfmt (Debian package gettext) is needed to translate ${ARG_TEMPLATE}")
  endif()
  set(copies)
  foreach(po ${VORBEL_SHIPPED_PO})
    get_filename_component(name ${po} NAME)
    list(APPEND copies ${VORBEL_MERGE_PO_DIR}/${name})
  endforeach()
  if(NOT TARGET vorbel_merge_po_files)
    add_custom_command(OUTPUT ${copies}
      COMMAND ${CMAKE_COMMAND} -E copy ${VORBEL_SHIPPED_PO} ${VORBEL_MERGE_PO_DIR}/
      DEPENDS ${VORBEL_SHIPPED_PO}
      VERBATIM)
    add_custom_target(vorbel_merge_po_files DEPENDS ${copies})
  endif()
  add_custom_command(OUTPUT ${ARG_OUTPUT}
    COMMAND ${MSGFMT_PROGRAM} --${ARG_KIND} --template=${ARG_TEMPLATE} -d ${VORBEL_MERGE_PO_DIR} -o ${ARG_OUTPUT}
    DEPENDS ${ARG_TEMPLATE} ${copies} ${VORBEL_MERGE_PO_DIR}/LINGUAS
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
  add_dependencies(${target} vorbel_merge_po_files)
endfunction()

# Compiles each file of SOURCES with COMMAND (a list in which @IN@ and @OUT@
# stand for the file and what it becomes) into OUTPUTS, as many paths, and
# installs each output in the folder at its place in INSTALL_DIRS (none when
# INSTALL_DIRS is empty).
function(_vorbel_compile_translations target)
  cmake_parse_arguments(ARG "" "" "SOURCES;OUTPUTS;INSTALL_DIRS;COMMAND" ${ARGN})
  set(built)
  foreach(source output install_dir IN ZIP_LISTS ARG_SOURCES ARG_OUTPUTS ARG_INSTALL_DIRS)
    list(TRANSFORM ARG_COMMAND REPLACE "@IN@" "${source}" OUTPUT_VARIABLE command)
    list(TRANSFORM command REPLACE "@OUT@" "${output}")
    get_filename_component(folder ${output} DIRECTORY)
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${command}
      DEPENDS ${source}
      VERBATIM)
    list(APPEND built ${output})
    if(install_dir)
      install(FILES ${output} DESTINATION ${install_dir})
    endif()
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${built})
endfunction()

# vorbel_message_catalogs(TARGET OUTPUT_DIR dir [INSTALL_DIR dir] PO_FILES files...)
# Compiles each <language>.po into OUTPUT_DIR/<language>/LC_MESSAGES/vorbel.mo,
# checking its formats against the originals.
function(vorbel_message_catalogs target)
  cmake_parse_arguments(ARG "" "OUTPUT_DIR;INSTALL_DIR" "PO_FILES" ${ARGN})
  if(ARG_PO_FILES AND NOT MSGFMT_PROGRAM)
    message(FATAL_ERROR "msgfmt (Debian package gettext) is needed for ${ARG_PO_FILES}")
  endif()
  set(outputs)
  set(install_dirs)
  foreach(po ${ARG_PO_FILES})
    get_filename_component(language ${po} NAME_WE)
    list(APPEND outputs ${ARG_OUTPUT_DIR}/${language}/LC_MESSAGES/vorbel.mo)
    if(ARG_INSTALL_DIR)
      list(APPEND install_dirs ${ARG_INSTALL_DIR}/${language}/LC_MESSAGES)
    endif()
  endforeach()
  _vorbel_compile_translations(${target} SOURCES ${ARG_PO_FILES} OUTPUTS ${outputs} INSTALL_DIRS ${install_dirs}
                               COMMAND ${MSGFMT_PROGRAM} --check --output-file=@OUT@ @IN@)
endfunction()

# vorbel_qt_translations(TARGET OUTPUT_DIR dir [INSTALL_DIR dir] TS_FILES files...)
# Compiles each vorbel_<language>.ts into OUTPUT_DIR/vorbel_<language>.qm.
function(vorbel_qt_translations target)
  cmake_parse_arguments(ARG "" "OUTPUT_DIR;INSTALL_DIR" "TS_FILES" ${ARGN})
  if(ARG_TS_FILES AND NOT LRELEASE_PROGRAM)
    message(FATAL_ERROR "lrelease (Debian package qt6-l10n-tools) is needed for ${ARG_TS_FILES}")
  endif()
  set(outputs)
  set(install_dirs)
  foreach(ts ${ARG_TS_FILES})
    get_filename_component(name ${ts} NAME_WE)
    list(APPEND outputs ${ARG_OUTPUT_DIR}/${name}.qm)
    if(ARG_INSTALL_DIR)
      list(APPEND install_dirs ${ARG_INSTALL_DIR})
    endif()
  endforeach()
  _vorbel_compile_translations(${target} SOURCES ${ARG_TS_FILES} OUTPUTS ${outputs} INSTALL_DIRS ${install_dirs}
                               COMMAND ${LRELEASE_PROGRAM} -silent @IN@ -qm @OUT@)
endfunction()

# The translations that ship: every po/*.po and translations/*.ts there is.
function(vorbel_shipped_translations output_dir)
  include(GNUInstallDirs)
  vorbel_message_catalogs(vorbel_message_catalogs OUTPUT_DIR ${output_dir}/locale
                          INSTALL_DIR ${CMAKE_INSTALL_LOCALEDIR} PO_FILES ${VORBEL_SHIPPED_PO})
  if(VORBEL_GUI)
    file(GLOB _ts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/vorbel_*.ts)
    vorbel_qt_translations(vorbel_qt_translations OUTPUT_DIR ${output_dir}/translations
                           INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/vorbel/translations TS_FILES ${_ts})
  endif()

  if(XGETTEXT_PROGRAM)
    # What gettext translates: the core's and the command line's messages,
    # the labels of undo steps the window names and the texts of the desktop
    # entry and the MIME type (VORBEL_TRANSLATABLE); then the AppStream
    # metadata's texts, which xgettext finds by its ITS rules. The window's
    # tr() texts are lupdate's.
    file(GLOB_RECURSE _sources RELATIVE ${PROJECT_SOURCE_DIR}
         ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h)
    list(SORT _sources)
    add_custom_target(vorbel_pot
      COMMAND ${XGETTEXT_PROGRAM} --language=C++ --from-code=UTF-8 --sort-by-file --add-comments=TRANSLATORS:
              --keyword= --keyword=Translate --keyword=TranslateFormat --keyword=VORBEL_TRANSLATABLE
              --flag=TranslateFormat:1:c-format --package-name=Vorbel --package-version=${PROJECT_VERSION}
              --msgid-bugs-address=maintainers@vorbel.org --output=po/vorbel.pot ${_sources}
      COMMAND ${XGETTEXT_PROGRAM} --join-existing --from-code=UTF-8 --package-name=Vorbel
              --package-version=${PROJECT_VERSION} --msgid-bugs-address=maintainers@vorbel.org
              --output=po/vorbel.pot packaging/metainfo/org.vorbel.vorbel.metainfo.xml.in
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      COMMENT "Extracting the messages into po/vorbel.pot"
      VERBATIM)
  endif()
  if(LUPDATE_PROGRAM AND VORBEL_GUI AND _ts)
    add_custom_target(vorbel_ts
      COMMAND ${LUPDATE_PROGRAM} -silent -no-obsolete -locations none -I src src/ui src/controls src/app/window_main.cpp
              -ts ${_ts}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      COMMENT "Bringing translations/vorbel_*.ts up to date"
      VERBATIM)
  endif()
endfunction()
