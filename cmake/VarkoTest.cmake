# SPDX-License-Identifier: GPL-3.0-or-later
# The tests that run whole programs (varko2000, wrar, wace and the readers)
# rather than linked code: those in tests/cli and these. Label "e2e"; the rest "unit".
set(VARKO_WHOLE_PROGRAM_TESTS tst_archivers tst_lifecycle tst_par2 tst_par2repair)

# varko_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# Builds one QTest executable and registers it with CTest. Tests never need a
# display, always see the same locale, get a data folder of their own, and
# share the file helpers of tests/support.
function(varko_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  qt_add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(label unit)
  if(CMAKE_CURRENT_SOURCE_DIR MATCHES "/tests/cli$" OR T_NAME IN_LIST VARKO_WHOLE_PROGRAM_TESTS)
    set(label e2e)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES LABELS ${label}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;VARKO_HOME=${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.home")
endfunction()
