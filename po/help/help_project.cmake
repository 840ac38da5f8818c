# Writes a translated help project: the English one with the title of the
# translated index page, which the help viewer shows as its caption.
# Usage: cmake -DPAGE=index.html -DTEMPLATE=quadrimo.hhp -DOUTPUT=out.hhp -P help_project.cmake
file(READ ${PAGE} page)
file(READ ${TEMPLATE} project)
if(page MATCHES "<title>([^<]*)</title>")
  string(REGEX REPLACE "\nTitle=[^\n]*" "\nTitle=${CMAKE_MATCH_1}" project "${project}")
endif()
file(WRITE ${OUTPUT} "${project}")
