# End-to-end check of the korvane-cty command line, run by CTest:
#   cmake -DTOOL=<korvane-cty> -DFIXTURES=<tests/fixtures/cty> -DWORK=<scratch folder> -P cty_cli.cmake
file(MAKE_DIRECTORY "${WORK}")

# 1. The fixture converts to the expected file, byte for byte.
execute_process(COMMAND "${TOOL}" --cty "${FIXTURES}/cty.dat" --out "${WORK}/Dxcc.dta"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "conversion of the fixture failed (${rc}): ${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/Dxcc.dta" "${FIXTURES}/Dxcc.dta"
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${WORK}/Dxcc.dta differs from ${FIXTURES}/Dxcc.dta")
endif()

# 2. A malformed cty.dat: non-zero exit, the file and line named, no output written.
file(WRITE "${WORK}/bad.dat" "Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A,\n    3B(14;\n")
file(REMOVE "${WORK}/bad.dta")
execute_process(COMMAND "${TOOL}" --cty "${WORK}/bad.dat" --csv "${FIXTURES}/cty.csv" --out "${WORK}/bad.dta"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "bad\\.dat:3: malformed cty\\.dat" OR EXISTS "${WORK}/bad.dta")
    message(FATAL_ERROR "malformed input not refused as expected (${rc}): ${err}")
endif()

# 3. An unreadable input: non-zero exit and a message naming it.
execute_process(COMMAND "${TOOL}" --cty "${WORK}/missing.dat" --out "${WORK}/missing.dta"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "cannot read .*missing\\.dat")
    message(FATAL_ERROR "missing input not refused as expected (${rc}): ${err}")
endif()
