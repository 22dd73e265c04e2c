# Runs a copy of the game beside a language file that lists no language, and
# beside none at all: both times it must end with exit code 7 before any window.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${KORVANT} DESTINATION ${WORK})
get_filename_component(exe ${KORVANT} NAME)
set(ENV{QT_QPA_PLATFORM} offscreen)

function(expect_exit_7 what)
  execute_process(COMMAND ${WORK}/${exe} RESULT_VARIABLE rc TIMEOUT 20)
  if(NOT rc EQUAL 7)
    message(FATAL_ERROR "${what}: exit status ${rc}, expected 7")
  endif()
endfunction()

expect_exit_7("no language file")
file(WRITE ${WORK}/${exe}.ini "[Languages]\nCount=0\n")
expect_exit_7("Count=0")
file(WRITE ${WORK}/${exe}.ini "[Languages]\nDefault=0\n0=Russian\n[Russian]\nTitle=Русский\n")
expect_exit_7("no Count")
