# Each target's sources may include only the folders of src/ named for it, and the core's may
# not include Qt. The folders are layers (base -> storage -> shared -> engine -> sound, with
# messaggi on base alone under sound and salvataggio; then widgets -> editor, viewer ->
# main_window -> app; sistemi on base alone, and cli beside the windows): a wrong include stops
# the configuration rather than growing a circle.
#
# An include reaches a folder however it is written: "sound/x.h" and <sound/x.h> from the top of
# src/, "../sound/x.h" from the including file's folder, and a bare "x.h" that is not beside the
# including file but in another folder. <vector>, <sys/stat.h>, <nlohmann/json.hpp> name no
# folder of src/ and pass.
#
# The check of one file also runs on its own, as its tests run it:
#   cmake -DFILE=f.cpp -DPOSTO=storage/f.cpp -DCARTELLE=base,storage [-DSENZA_QT=ON] -P Stanze.cmake
# checks f.cpp as if it stood at src/storage/f.cpp in a target that may use base and storage.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    cmake_minimum_required(VERSION 3.25)
endif()

# The folders of radice that the include line riga of radice/posto reaches, into var: none for a
# header from outside src/, ".." for a path that climbs out of src/, "." for one at its top.
function(zaffirone_stanze_raggiunte radice posto riga var)
    get_filename_component(cartella "${radice}/${posto}" DIRECTORY)
    set(percorsi)
    if(riga MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
        set(nome "${CMAKE_MATCH_1}")
        if(nome MATCHES "^\\.\\.?/" OR EXISTS "${cartella}/${nome}")
            set(percorsi "${cartella}/${nome}")
        elseif(nome MATCHES "/")
            set(percorsi "${radice}/${nome}")
        else()
            file(GLOB percorsi "${radice}/*/${nome}")
        endif()
    elseif(riga MATCHES "^[ \t]*#[ \t]*include[ \t]*<(([^/>]+)/[^>]*)>")
        if(IS_DIRECTORY "${radice}/${CMAKE_MATCH_2}")
            set(percorsi "${radice}/${CMAKE_MATCH_1}")
        endif()
    endif()
    set(raggiunte)
    foreach(percorso IN LISTS percorsi)
        cmake_path(SET percorso NORMALIZE "${percorso}")
        cmake_path(RELATIVE_PATH percorso BASE_DIRECTORY "${radice}" OUTPUT_VARIABLE relativo)
        if(relativo MATCHES "^\\.\\./")
            list(APPEND raggiunte "..")
        elseif(relativo MATCHES "^([^/]+)/")
            list(APPEND raggiunte "${CMAKE_MATCH_1}")
        else()
            list(APPEND raggiunte ".")
        endif()
    endforeach()
    set(${var} "${raggiunte}" PARENT_SCOPE)
endfunction()

# Stops with the reason when the text of testo, standing at radice/posto in target, includes a
# folder not among the allowed ones (the arguments after senza_qt), or Qt when senza_qt is true.
function(zaffirone_stanze_file testo radice posto target senza_qt)
    file(STRINGS "${testo}" righe REGEX "^[ \t]*#[ \t]*include")
    foreach(riga IN LISTS righe)
        zaffirone_stanze_raggiunte("${radice}" "${posto}" "${riga}" raggiunte)
        foreach(raggiunta IN LISTS raggiunte)
            if(NOT raggiunta IN_LIST ARGN)
                message(FATAL_ERROR "src/${posto} includes ${raggiunta}/, which ${target} "
                                    "may not use: ${riga}")
            endif()
        endforeach()
        if(senza_qt AND riga MATCHES "^[ \t]*#[ \t]*include[ \t]*<Q")
            message(FATAL_ERROR "src/${posto} is plain C++ and may not use Qt: ${riga}")
        endif()
    endforeach()
endfunction()

function(zaffirone_stanze target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "SENZA_QT" "" "CARTELLE")
    get_target_property(sources ${target} SOURCES)
    get_target_property(base ${target} SOURCE_DIR)
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\.(cpp|h)$" OR IS_ABSOLUTE "${source}")
            continue()
        endif()
        string(REGEX REPLACE "\\.cpp$" ".h" header "${source}")
        foreach(file IN ITEMS ${source} ${header})
            if(NOT EXISTS "${base}/${file}")
                continue()
            endif()
            set_property(GLOBAL APPEND PROPERTY ZAFFIRONE_STANZE_CONTROLLATE "${base}/${file}")
            zaffirone_stanze_file("${base}/${file}" "${base}" "${file}" ${target} "${ARG_SENZA_QT}"
                                  ${ARG_CARTELLE})
        endforeach()
    endforeach()
endfunction()

# Every source and header under the folder belongs to a target checked above: a file no target
# names would escape the rule.
function(zaffirone_stanze_complete folder)
    file(GLOB_RECURSE files "${folder}/*.h" "${folder}/*.cpp")
    get_property(checked GLOBAL PROPERTY ZAFFIRONE_STANZE_CONTROLLATE)
    foreach(file IN LISTS files)
        if(NOT file IN_LIST checked)
            message(FATAL_ERROR "${file} belongs to no target whose includes are checked")
        endif()
    endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    if(NOT FILE OR NOT POSTO)
        message(FATAL_ERROR "usage: cmake -DFILE=... -DPOSTO=cartella/file.cpp -DCARTELLE=a,b "
                            "[-DSENZA_QT=ON] -P ${CMAKE_CURRENT_LIST_FILE}")
    endif()
    get_filename_component(radice "${CMAKE_CURRENT_LIST_DIR}/../src" ABSOLUTE)
    string(REPLACE "," ";" cartelle "${CARTELLE}")
    zaffirone_stanze_file("${FILE}" "${radice}" "${POSTO}" "a target of ${CARTELLE}" "${SENZA_QT}"
                          ${cartelle})
endif()
