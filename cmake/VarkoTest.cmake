# varko_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# Builds one QTest executable and registers it with CTest. Tests never need a
# display, always see the same locale, and get a data folder of their own.
function(varko_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  qt_add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;VARKO_HOME=${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.home"
    SKIP_RETURN_CODE 77)
endfunction()
