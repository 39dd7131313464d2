# Runs the resource compiler on a broken script, as the build would. Passes when the compiler
# fails, names the fault as EXPECTED ("file:line: message") and leaves no output behind.
#   cmake -DCOMPILER=... -DSCRIPT=... -DOUTPUT=... -DEXPECTED=<regex> -P ExpectCompileFailure.cmake
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${COMPILER} -o ${OUTPUT} ${SCRIPT}
                RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_VARIABLE output)
if(result EQUAL 0)
    message(FATAL_ERROR "the compiler accepted ${SCRIPT}")
endif()
if(NOT errors MATCHES "${EXPECTED}")
    message(FATAL_ERROR "expected '${EXPECTED}' but the compiler said: ${errors}")
endif()
if(EXISTS ${OUTPUT})
    message(FATAL_ERROR "the compiler wrote ${OUTPUT} for a broken script")
endif()
