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
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT ${T_TIMEOUT} ${props})
endfunction()
