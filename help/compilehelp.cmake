# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles the help project with chmcmd in a clean staging folder and copies the result to
# OUTPUT. chmcmd reports missing files and broken links as messages but still exits with 0, so
# its output is checked here and any error or warning fails the build.
#   cmake -DCHMCMD=... -DSTAGE=... -DPROJECT_FILE=... -DOUTPUT=... -DINPUTS=a;b;c -P compilehelp.cmake
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY ${INPUTS} DESTINATION ${STAGE})

execute_process(
    COMMAND ${CHMCMD} --verbosity 1 ${PROJECT_FILE}
    WORKING_DIRECTORY ${STAGE}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output
)
string(REGEX MATCHALL "[^\n]*(Error|Warning|exception)[^\n]*" problems "${output}")
if(NOT result EQUAL 0 OR problems)
    list(JOIN problems "\n" problems)
    message(FATAL_ERROR "chmcmd failed on ${PROJECT_FILE} (exit code ${result}):\n${problems}")
endif()

set(compiled ${STAGE}/tallowbyhelp.chm)
if(NOT EXISTS ${compiled})
    message(FATAL_ERROR "chmcmd wrote no help file:\n${output}")
endif()
file(COPY_FILE ${compiled} ${OUTPUT})
