# cmake -DSOURCE=<trelvik.1.in> -DPROGRAM=<trelvik|trelvik-cli> -DVERSION=<x.y> -DOUTPUT=<page.1.gz> -P this
# Writes one program's manual page from the shared source: lines marked "gui:" belong to trelvik, lines
# marked "cli:" to trelvik-cli, the rest to both. The page is compressed as Debian wants it.
if(PROGRAM STREQUAL "trelvik")
    set(keep "gui:")
    set(drop "cli:")
else()
    set(keep "cli:")
    set(drop "gui:")
endif()
string(TOUPPER "${PROGRAM}" PROGRAM_UPPER)
# The build date, or SOURCE_DATE_EPOCH's where a reproducible build sets it.
string(TIMESTAMP MAN_DATE "%Y-%m-%d" UTC)

file(STRINGS "${SOURCE}" lines)
set(page "")
foreach(line IN LISTS lines)
    if(line MATCHES "^${drop}" OR line MATCHES "^\\.\\\\\"")
        continue()
    endif()
    string(REGEX REPLACE "^${keep}" "" line "${line}")
    string(APPEND page "${line}\n")
endforeach()
string(CONFIGURE "${page}" page @ONLY)

get_filename_component(plain "${OUTPUT}" NAME_WLE)
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(WRITE "${folder}/${plain}" "${page}")
execute_process(COMMAND gzip -9nf "${folder}/${plain}" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "gzip failed on ${folder}/${plain}")
endif()
