# Runs COMMAND (a list: the program and its arguments), adding the test server's connection options
# when tools/mariadb-server.sh's settings are in the environment; without them the example starts a
# private server of its own. Fails when the command fails.
set(command ${COMMAND})
if(DEFINED ENV{VEXO_TEST_MYSQL_SOCKET})
  list(APPEND command --socket "$ENV{VEXO_TEST_MYSQL_SOCKET}")
  if(DEFINED ENV{VEXO_TEST_MYSQL_USER})
    list(APPEND command --user "$ENV{VEXO_TEST_MYSQL_USER}")
  endif()
  if(DEFINED ENV{VEXO_TEST_MYSQL_PASSWORD})
    list(APPEND command --password "$ENV{VEXO_TEST_MYSQL_PASSWORD}")
  endif()
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the example failed (${result})")
endif()
