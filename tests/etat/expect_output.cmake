# Runs etat and checks what it printed.
# cmake -DETAT=<exe> -DARGC=<n> -DARG0=<first argument> ... -DSTATUS=<exit status>
#       [-DSTDOUT=<exact text>] [-DSTDERR=<text that stderr must contain>] -P expect_output.cmake
# Arguments come one per variable so that they may hold blanks. Since CMake lists split at
# semicolons and -D drops single quotes, the texts write "<SEMI>" for ';' and "<Q>" for "'";
# in STDOUT, "|" stands for a line break.
function(decode text out)
    string(REPLACE "<SEMI>" ";" text "${text}")
    string(REPLACE "<Q>" "'" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
set(args)
math(EXPR last "${ARGC} - 1")
foreach(i RANGE ${last})
    decode("${ARG${i}}" arg)
    list(APPEND args "${arg}")
endforeach()
execute_process(COMMAND ${ETAT} ${args}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status STREQUAL STATUS)
    message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\nstdout: ${out}\nstderr: ${err}")
endif()
if(DEFINED STDOUT)
    decode("${STDOUT}" expected)
    string(REPLACE "|" "\n" expected "${expected}")
    if(NOT out STREQUAL expected)
        message(FATAL_ERROR "stdout:\n[${out}]\nexpected:\n[${expected}]\nstderr: ${err}")
    endif()
endif()
if(DEFINED STDERR)
    decode("${STDERR}" STDERR)
    string(FIND "${err}" "${STDERR}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "stderr:\n[${err}]\nshould contain [${STDERR}]")
    endif()
endif()
