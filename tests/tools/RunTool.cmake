# Runs TOOL with ARGS (a ;-list) and checks its exit status and output.
execute_process(COMMAND ${TOOL} ${ARGS}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(all "${out}${err}")
if(FAIL)
  if(status EQUAL 0)
    message(FATAL_ERROR "expected a failure, got status 0:\n${all}")
  endif()
elseif(NOT status EQUAL 0)
  message(FATAL_ERROR "status ${status}:\n${all}")
endif()
if(NOT all MATCHES "${EXPECT}")
  message(FATAL_ERROR "output does not match '${EXPECT}':\n${all}")
endif()
