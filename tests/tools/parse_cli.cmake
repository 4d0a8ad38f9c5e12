# End-to-end check of the korvane-parse command line, run by CTest:
#   cmake -DTOOL=<korvane-parse> -DFIXTURES=<tests/fixtures> -DDATA=<data> -DWORK=<scratch> -P parse_cli.cmake
file(MAKE_DIRECTORY "${WORK}")

# The sample session gives the expected lines, whatever the size of the blocks it arrives in.
foreach(block IN ITEMS 0 1 2 3 7 80 4096)
    set(args --dxcc "${DATA}/Dxcc.dta")
    if(block GREATER 0)
        list(APPEND args --block ${block})
    endif()
    execute_process(COMMAND "${TOOL}" ${args}
                    INPUT_FILE "${FIXTURES}/session-dxspider.raw"
                    OUTPUT_FILE "${WORK}/session-${block}.jsonl"
                    RESULT_VARIABLE rc)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/session-${block}.jsonl"
                            "${FIXTURES}/session-dxspider.jsonl"
                    RESULT_VARIABLE differs)
    if(NOT rc EQUAL 0 OR differs)
        message(FATAL_ERROR "blocks of ${block} bytes: ${WORK}/session-${block}.jsonl differs (exit ${rc})")
    endif()
endforeach()

# A country table that cannot be opened: its message and exit code 2.
execute_process(COMMAND "${TOOL}" --dxcc "${WORK}/missing.dta" INPUT_FILE "${FIXTURES}/session-dxspider.raw"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "The file \\[Dxcc.dta\\] was not found" OR NOT out STREQUAL "")
    message(FATAL_ERROR "a missing country table was not refused (exit ${rc}): ${err}")
endif()
