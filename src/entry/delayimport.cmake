# Builds a delay-import library for one system DLL from the toolchain's import library: its
# functions are resolved on their first call instead of when the program starts.
#   cmake -DNM=... -DDLLTOOL=... -DIMPORT_LIB=.../libshell32.a -DDLL=shell32.dll
#         -DOUT=.../libshell32_delay.a -DRSP=.../shell32.rsp -P delayimport.cmake
# GNU ld drops the jump stub of an import-library member that is reached only through its
# __imp_ slot, and a delay slot starts out pointing at that stub; so the link must ask for
# every stub by name (the response file RSP), or the first call jumps to address 0.
execute_process(COMMAND ${NM} ${IMPORT_LIB} OUTPUT_VARIABLE symbols ERROR_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot list ${IMPORT_LIB}")
endif()
# A function has a stub ("T _Name@N") besides its import slot; data has only the slot and
# stays with the ordinary import library.
string(REGEX MATCHALL "[0-9a-fA-F]+ T _[A-Za-z0-9_]+@[0-9]+" stubs "${symbols}")
set(def "LIBRARY ${DLL}\nEXPORTS\n")
set(rsp "")
foreach(stub IN LISTS stubs)
  string(REGEX REPLACE ".* T _" "" name "${stub}")
  string(APPEND def "${name}\n")
  string(APPEND rsp "-Wl,-u,_${name}\n")
endforeach()
get_filename_component(dir ${OUT} DIRECTORY)
file(WRITE ${dir}/${DLL}.def "${def}")
file(WRITE ${RSP} "${rsp}")
execute_process(COMMAND ${DLLTOOL} -k -d ${dir}/${DLL}.def -D ${DLL} -y ${OUT} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot build the delay-import library of ${DLL}")
endif()
