# Options shared by every target of the project's own code. The sources are UTF-8; the
# program's texts are UTF-16 literals, so no execution character set is asked for (cl's
# /utf-8 takes the sources as UTF-8, and combines with no other character-set option).
function(qm_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:/utf-8 /W4 /WX>)
  else()
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -Wall -Wextra -Werror>)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# Test code (the test programs, their support library, the programs the tests start,
# GoogleTest itself) is compiled without optimisation: its time goes to Wine and the system,
# and an optimised build of it takes twice as long. Under Wine it has no debug information;
# natively it keeps it, for AddressSanitizer's reports.
function(qm_test_code target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /Od)
  elseif(WIN32)
    target_compile_options(${target} PRIVATE -O0 -g0)
  else()
    target_compile_options(${target} PRIVATE -O0)
  endif()
endfunction()

# The headers nearly every test source includes, parsed once into a precompiled header:
# parsing them is most of a test source's compile time.
set(QM_TEST_PCH <gtest/gtest.h> <algorithm> <functional> <memory> <string> <vector>)
if(WIN32)
  list(PREPEND QM_TEST_PCH <windows.h>)
endif()

# qm_test_pch(target [FROM other]): `target` compiles with the tests' precompiled header, its
# own or, with FROM, the one `other` made (same options, so one header serves them all).
function(qm_test_pch target)
  cmake_parse_arguments(P "" "FROM" "" ${ARGN})
  if(P_FROM)
    target_precompile_headers(${target} REUSE_FROM ${P_FROM})
  else()
    target_precompile_headers(${target} PRIVATE ${QM_TEST_PCH})
  endif()
endfunction()

# A GoogleTest program whose tests ctest lists when it runs them (under Wine for the
# Windows tree). LABEL names its tier (ctest -L). WINE: each of its tests takes one Wine slot
# (ctest resource "wine"), a prefix and a display of its own for as long as it runs. LOCK:
# its tests run one at a time (ctest RESOURCE_LOCK of that name).
# PCH_FROM: the target whose precompiled header it takes (else it makes its own).
function(qm_test_program name)
  cmake_parse_arguments(T "WINE" "LABEL;TIMEOUT;LOCK;PCH_FROM" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  qm_options(${name})
  qm_test_code(${name})
  if(T_PCH_FROM)
    qm_test_pch(${name} FROM ${T_PCH_FROM})
  else()
    qm_test_pch(${name})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(props LABELS ${T_LABEL})
  if(T_WINE)
    list(APPEND props RESOURCE_GROUPS wine:1)
  endif()
  if(T_LOCK)  # the program's tests share something outside their Wine slots: one at a time
    list(APPEND props RESOURCE_LOCK ${T_LOCK})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT ${T_TIMEOUT} ${props})
endfunction()

# The Wine slots ctest hands out when no resource file is given (./test gives its pool's): one,
# "here", which cmake/wine-exec takes to mean the caller's $WINEPREFIX and $DISPLAY, so a
# plain ctest runs the Wine tests one after another there.
if(WIN32)
  file(WRITE ${CMAKE_BINARY_DIR}/wine-slots.json
       "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"wine\": [{\"id\": \"here\", \"slots\": 1}]}]}\n")
  set(CTEST_RESOURCE_SPEC_FILE ${CMAKE_BINARY_DIR}/wine-slots.json)
endif()

# qm_delay_load(target dll functions...): `target` calls these functions of `dll`, which loads
# on the first call into it rather than at every start, so that a start that only
# forwards its arguments to the running window does not pay for it. Functions are named
# with their stdcall argument sizes (i686 names).
function(qm_delay_load target dll)
  if(MSVC)
    target_link_libraries(${target} PUBLIC ${dll} delayimp)
    target_link_options(${target} INTERFACE /DELAYLOAD:${dll}.dll)
    return()
  endif()
  # GNU ld has no delay-load switch: dlltool makes a delay-load import library, and
  # MinGW's libmingwex brings __delayLoadHelper2. ld drops the jump stub of an import
  # that no code calls by name, yet the delay-load slot starts out pointing into it:
  # "-u" keeps every stub.
  find_program(QM_DLLTOOL NAMES ${CMAKE_DLLTOOL} REQUIRED)
  set(def ${CMAKE_CURRENT_BINARY_DIR}/qm_${dll}_delay.def)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/libqm_${dll}_delay.a)
  list(JOIN ARGN "\n" exports)
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    string(REGEX REPLACE "@[0-9]+" "" exports "${exports}")  # x64 names carry no sizes
  endif()
  file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  add_custom_command(
    OUTPUT ${lib}
    COMMAND ${QM_DLLTOOL} --kill-at --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
    DEPENDS ${def}
    VERBATIM)
  add_custom_target(qm_${dll}_delay DEPENDS ${lib})
  add_dependencies(${target} qm_${dll}_delay)
  target_link_libraries(${target} PUBLIC ${lib})
  foreach(fn IN LISTS ARGN)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_link_options(${target} INTERFACE "LINKER:-u,_${fn}")
    else()
      string(REGEX REPLACE "@.*" "" fn ${fn})
      target_link_options(${target} INTERFACE "LINKER:-u,${fn}")
    endif()
  endforeach()
endfunction()
