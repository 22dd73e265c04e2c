# Runs the creator and the joiner as two processes joined by a pipe (the creator's port goes
# through it) and checks that both end well.
execute_process(
  COMMAND ${PEER} create
  COMMAND ${PEER} join
  RESULTS_VARIABLE results
  TIMEOUT 50)
if(NOT results STREQUAL "0;0")
  message(FATAL_ERROR "the two peers ended with ${results}")
endif()
message(STATUS "two processes met in one session")
