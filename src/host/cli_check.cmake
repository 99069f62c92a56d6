# Runs PROGRAM with ARGS (a ;-list) and checks the exit code, stdout against a
# file, and stderr against a regular expression.
execute_process(COMMAND ${PROGRAM} ${ARGS}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code STREQUAL EXPECT_CODE)
  message(FATAL_ERROR "exit code ${code}, expected ${EXPECT_CODE}\nstderr: ${err}")
endif()
if(EXPECT_STDOUT_FILE)
  file(READ ${EXPECT_STDOUT_FILE} want)
  if(NOT out STREQUAL want)
    message(FATAL_ERROR "stdout differs from ${EXPECT_STDOUT_FILE}")
  endif()
endif()
if(EXPECT_STDERR_MATCH AND NOT err MATCHES "${EXPECT_STDERR_MATCH}")
  message(FATAL_ERROR "stderr does not match '${EXPECT_STDERR_MATCH}': ${err}")
endif()
