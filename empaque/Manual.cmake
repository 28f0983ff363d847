# Writes velquira-cli's manual page from what `velquira-cli --help` prints, so
# the two never say different things: the usage lines become SINOPSIS, the
# rest DESCRIPCIÓN, both as printed (no-fill), then the page is gzipped.
#   cmake -DCLI=<velquira-cli> -DSALIDA=<velquira-cli.1.gz> -DVERSION=<x.y.z>
#         -DAJUSTES=<empty settings folder> -P Manual.cmake
foreach(v CLI SALIDA VERSION AJUSTES)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "Manual.cmake: falta -D${v}")
  endif()
endforeach()

# The settings of whoever builds never reach the page.
file(MAKE_DIRECTORY "${AJUSTES}")
set(ENV{VELQUIRA_AJUSTES} "${AJUSTES}")
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C.UTF-8)
execute_process(COMMAND "${CLI}" --help OUTPUT_VARIABLE ayuda RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT ayuda MATCHES "^Uso:\n")
  message(FATAL_ERROR "velquira-cli --help falló (${rc}):\n${ayuda}")
endif()

# roff: a backslash is \e, a minus is \- (an option is typed as printed), and
# a line may not start with a control character.
string(REPLACE "\\" "\\e" ayuda "${ayuda}")
string(REPLACE "-" "\\-" ayuda "${ayuda}")
string(REGEX REPLACE "\n([.'])" "\n\\\\&\\1" ayuda "\n${ayuda}")
string(SUBSTRING "${ayuda}" 1 -1 ayuda)

# "Uso:" up to the first empty line is the synopsis.
string(REGEX REPLACE "^Uso:\n" "" ayuda "${ayuda}")
string(FIND "${ayuda}" "\n\n" corte)
if(corte LESS 0)
  message(FATAL_ERROR "velquira-cli --help: falta la línea vacía tras el uso")
endif()
string(SUBSTRING "${ayuda}" 0 ${corte} sinopsis)
math(EXPR corte "${corte} + 2")
string(SUBSTRING "${ayuda}" ${corte} -1 descripcion)
string(REGEX REPLACE "\n+$" "" descripcion "${descripcion}")

get_filename_component(carpeta "${SALIDA}" DIRECTORY)
get_filename_component(nombre "${SALIDA}" NAME_WLE)
set(pagina "${carpeta}/${nombre}")
file(WRITE "${pagina}" "'\\\" -*- coding: UTF-8 -*-
.TH VELQUIRA\\-CLI 1 \"\" \"ZUL Velquira ${VERSION}\" \"Órdenes de usuario\"
.SH NOMBRE
velquira\\-cli \\- trabajo por lotes con los trabajos (.zul) de ZUL Velquira
.SH SINOPSIS
.nf
${sinopsis}
.fi
.SH DESCRIPCIÓN
.nf
${descripcion}
.fi
")
# Compressed as Debian installs manual pages, with no name or time inside
# (gzip -n), so the same text gives the same file.
execute_process(COMMAND gzip -9nf "${pagina}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS "${SALIDA}")
  message(FATAL_ERROR "gzip no pudo comprimir ${pagina}")
endif()
