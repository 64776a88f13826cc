# Options shared by every target of the project's own code.
function(qm_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:/utf-8 /execution-charset:.932 /W4 /WX>)
  else()
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8
                           -fexec-charset=CP932 -Wall -Wextra -Werror>)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# A GoogleTest program whose tests ctest lists when it runs them (under Wine for the
# Windows tree). LOCK names a resource that the program's tests never share.
function(qm_test_program name)
  cmake_parse_arguments(T "" "LOCK;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  qm_options(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(props "")
  if(T_LOCK)
    set(props RESOURCE_LOCK ${T_LOCK})
  endif()
  if(QM_TEST_PER_PROGRAM)
    # One ctest entry for the whole program: quicker under Wine, where every process
    # start costs.
    add_test(NAME ${name} COMMAND ${name})
    math(EXPR T_TIMEOUT "${T_TIMEOUT} * 10")
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ${props})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT ${T_TIMEOUT} ${props})
  endif()
endfunction()
