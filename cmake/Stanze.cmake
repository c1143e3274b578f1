# Each target's sources may include only the folders of src/ named for it, and the core's may
# not include Qt. The folders are layers (base -> storage -> shared -> engine -> sound ->
# salvataggio, then widgets -> editor, viewer -> main_window -> app, and cli beside the windows):
# a wrong include stops the configuration rather than growing a circle.
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
            file(STRINGS "${base}/${file}" includes REGEX "^#include [\"<]")
            foreach(line IN LISTS includes)
                if(line MATCHES "^#include \"([a-z_]+)/" AND NOT CMAKE_MATCH_1 IN_LIST ARG_CARTELLE)
                    message(FATAL_ERROR "src/${file} (${target}) includes ${CMAKE_MATCH_1}/, "
                                        "which ${target} may not use: ${line}")
                elseif(ARG_SENZA_QT AND line MATCHES "^#include <Q")
                    message(FATAL_ERROR "src/${file} is plain C++ and may not use Qt: ${line}")
                endif()
            endforeach()
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
