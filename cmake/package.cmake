# Makes the release ZIP (the `package` target): run as
#   cmake -DEXE=<the exe> -DSOURCE_DIR=<the tree> -DGUIDE=<user's guide> -DSTAGE=<empty folder>
#         -DZIP=<the ZIP to make> -P package.cmake
# The same files give the same bytes: the entries stand in one order (sorted by name), with
# fixed permissions, each dated from the commit the tree is checked out at (SOURCE_DATE_EPOCH,
# unless set already; CMake's archive writer gives every entry that time) and written as
# universal time, whatever the machine's time zone.
cmake_minimum_required(VERSION 3.20)
foreach(var EXE SOURCE_DIR GUIDE STAGE ZIP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "package: ${var} is not given")
  endif()
endforeach()
if(NOT EXISTS "${GUIDE}")
  message(FATAL_ERROR "package: the user's guide ${GUIDE} is missing")
endif()

# Each entry: its name in the package, then the file it is made from.
set(entries
    Quillmoor.exe "${EXE}"
    Quillmoor.ini "${SOURCE_DIR}/examples/Quillmoor.ini"
    LICENSE "${SOURCE_DIR}/LICENSE"
    readme.txt "${GUIDE}")

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
set(names)
set(sums)
list(LENGTH entries n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET entries ${i} name)
  list(GET entries ${j} source)
  if(name STREQUAL Quillmoor.exe)
    set(mode OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  else()
    set(mode OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
  get_filename_component(from_name "${source}" NAME)
  file(COPY "${source}" DESTINATION "${STAGE}" FILE_PERMISSIONS ${mode})
  if(NOT from_name STREQUAL name)
    file(RENAME "${STAGE}/${from_name}" "${STAGE}/${name}")
  endif()
  list(APPEND names ${name})
endforeach()

# SHA256SUMS in the form `sha256sum -c SHA256SUMS` reads: the digest, two spaces, the name.
list(SORT names)
set(sums "")
foreach(name IN LISTS names)
  file(SHA256 "${STAGE}/${name}" digest)
  string(APPEND sums "${digest}  ${name}\n")
endforeach()
file(WRITE "${STAGE}/SHA256SUMS" "${sums}")
file(CHMOD "${STAGE}/SHA256SUMS" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
list(APPEND names SHA256SUMS)
list(SORT names)

set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE status
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT status EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "package: ${SOURCE_DIR} is no git checkout: set SOURCE_DATE_EPOCH to the "
                        "release's time (seconds since 1970) to date the entries")
  endif()
endif()

file(REMOVE "${ZIP}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 SOURCE_DATE_EPOCH=${epoch}
                        ${CMAKE_COMMAND} -E tar cf "${ZIP}" --format=zip -- ${names}
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${ZIP}")
  message(FATAL_ERROR "package: making ${ZIP} failed")
endif()
message(STATUS "package: ${ZIP}")
