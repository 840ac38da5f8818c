# The help in each language that has help/CODE.po: po4a writes the pages and
# the contents from the English ones, the pictures are the English ones but
# the playing screen (drawn in the language), and chmcmd compiles them into
# locale/CODE/ of the run folder, or they stay HTML pages where it is missing.
find_program(QUADRIMO_PO4A po4a)
file(GLOB QUADRIMO_HELP_CATALOGUES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/help/*.po)
if(QUADRIMO_HELP_CATALOGUES AND NOT QUADRIMO_PO4A)
  message(WARNING "po4a (package po4a) not found: the help stays English in every language")
  return()
endif()

file(GLOB QUADRIMO_HELP_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/help/*.html)
set(QUADRIMO_HELP_PICTURES blocks.png turn-left.png turn-right.png match-group.png match-large.png match-tilted.png
    no-match.png joker.png hint.png)
list(TRANSFORM QUADRIMO_HELP_PICTURES PREPEND ${QUADRIMO_RUN_DIR}/help/ OUTPUT_VARIABLE english_pictures)

foreach(po ${QUADRIMO_HELP_CATALOGUES})
  get_filename_component(code ${po} NAME_WE)
  if(NOT code IN_LIST QUADRIMO_LANGUAGES)
    message(WARNING "help/${code}.po has no ${code}.po beside it for the pictures: left out")
    continue()
  endif()
  set(help ${QUADRIMO_RUN_DIR}/locale/${code}/help)
  # po4a's configuration: the template, this language's catalogue, and each
  # page with the file it becomes. --keep 0 writes a page however little of it is translated.
  set(config "[po4a_langs] ${code}\n")
  string(APPEND config "[po4a_paths] ${CMAKE_CURRENT_SOURCE_DIR}/help/quadrimo-help.pot \$lang:${po}\n")
  string(APPEND config "[options] --keep 0 --master-charset UTF-8 --localized-charset UTF-8\n")
  set(pages)
  foreach(page ${QUADRIMO_HELP_PAGES})
    get_filename_component(name ${page} NAME)
    string(APPEND config "[type: xhtml] ${page} \$lang:${help}/${name}\n")
    list(APPEND pages ${help}/${name})
  endforeach()
  string(APPEND config "[type: xhtml] ${CMAKE_SOURCE_DIR}/assets/help/contents.hhc \$lang:${help}/contents.hhc "
         "opt:\"-o 'attributes=<param>value' -o nodefault=<object> -o untranslated=<object> -o break=<li>\"\n")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/help-${code}.cfg "${config}")
  add_custom_command(
    OUTPUT ${pages} ${help}/contents.hhc ${help}/quadrimo.hhp
    COMMAND ${QUADRIMO_PO4A} --no-update --quiet ${CMAKE_CURRENT_BINARY_DIR}/help-${code}.cfg
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/assets/help/style.css ${english_pictures} ${help}
    COMMAND ${CMAKE_COMMAND} -DPAGE=${help}/index.html -DTEMPLATE=${CMAKE_SOURCE_DIR}/assets/help/quadrimo.hhp
            -DOUTPUT=${help}/quadrimo.hhp -P ${CMAKE_CURRENT_SOURCE_DIR}/help/help_project.cmake
    DEPENDS ${po} ${QUADRIMO_HELP_PAGES} ${CMAKE_SOURCE_DIR}/assets/help/contents.hhc
            ${CMAKE_SOURCE_DIR}/assets/help/quadrimo.hhp ${CMAKE_SOURCE_DIR}/assets/help/style.css
            ${CMAKE_CURRENT_SOURCE_DIR}/help/help_project.cmake
    COMMENT "Translating the help into ${code}"
    VERBATIM)
  list(APPEND QUADRIMO_TRANSLATION_OUTPUTS ${pages})
  if(QUADRIMO_CHMCMD)
    set(chm "${QUADRIMO_RUN_DIR}/locale/${code}/Quadrimo help.chm")
    add_custom_command(
      OUTPUT ${chm}
      COMMAND ${CMAKE_COMMAND} -E chdir ${help} ${QUADRIMO_CHMCMD} --no-html-scan quadrimo.hhp
      DEPENDS ${pages} ${help}/contents.hhc ${help}/quadrimo.hhp ${help}/screen.png
      COMMENT "Compiling the ${code} help"
      VERBATIM)
    list(APPEND QUADRIMO_TRANSLATION_OUTPUTS ${chm})
  endif()
endforeach()
