# The short run of one fuzz target (the CTest test Fuzz.<target>), run with cmake -P:
#   -D FUZZER=<program> -D SEEDS=<committed seed corpus> -D WORK=<scratch folder> -D SECONDS=<n>
# The committed seeds are copied into WORK/corpus, which the fuzzer grows; the committed folder is
# only read. A crash, a failed assertion, a sanitizer report, a leak, a time-out or running out of
# memory fails the test; the input that caused it is kept as WORK/finding-*.

foreach(variable FUZZER SEEDS WORK SECONDS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "fuzz_short_run.cmake: -D ${variable}=... is missing")
    endif()
endforeach()
if(NOT IS_DIRECTORY "${SEEDS}")
    message(FATAL_ERROR "fuzz_short_run.cmake: no seed corpus at ${SEEDS}")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus")
file(GLOB seeds "${SEEDS}/*")
if(seeds)
    file(COPY ${seeds} DESTINATION "${WORK}/corpus")
endif()

execute_process(
    COMMAND "${FUZZER}" "${WORK}/corpus"
            -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
            "-artifact_prefix=${WORK}/finding-"
    WORKING_DIRECTORY "${WORK}"
    RESULT_VARIABLE result)

file(GLOB findings "${WORK}/finding-*")
if(NOT result EQUAL 0 OR findings)
    message(FATAL_ERROR "fuzz target ${FUZZER} failed (exit ${result}); findings: ${findings}")
endif()
