# Runs one fuzz target for a few seconds, as a test: cmake -DFUZZER=... -DSEMI=... -DLAVORO=...
# -DSECONDI=... -DMAX_LEN=... -P esegui_fuzzer.cmake
#
# libFuzzer writes every new input into its corpus folder, so it is given a fresh copy of the
# seeds in the build tree and the repository is never written. A crash, a leak, a timeout, a
# sanitizer report or a failed check makes it exit with a code other than 0, and the test fails;
# the input that did it stays in LAVORO/reperti.
foreach(variabile FUZZER SEMI LAVORO SECONDI MAX_LEN)
    if(NOT DEFINED ${variabile})
        message(FATAL_ERROR "esegui_fuzzer.cmake: -D${variabile}=... is missing")
    endif()
endforeach()

file(REMOVE_RECURSE "${LAVORO}")
file(MAKE_DIRECTORY "${LAVORO}/corpus" "${LAVORO}/reperti")
file(GLOB semi LIST_DIRECTORIES false "${SEMI}/*")
if(NOT semi)
    message(FATAL_ERROR "No seeds in ${SEMI}")
endif()
file(COPY ${semi} DESTINATION "${LAVORO}/corpus")

execute_process(
    COMMAND "${FUZZER}"
        -max_total_time=${SECONDI}
        -timeout=5
        -rss_limit_mb=2048
        -max_len=${MAX_LEN}
        -print_final_stats=1
        "-artifact_prefix=${LAVORO}/reperti/"
        "${LAVORO}/corpus"
    WORKING_DIRECTORY "${LAVORO}"
    RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
    message(FATAL_ERROR "${FUZZER} ended with ${esito}; the input is in ${LAVORO}/reperti")
endif()
