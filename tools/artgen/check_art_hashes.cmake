# Compares the generated artwork with the SHA-256 list in resources/art, so
# that a change of the drawings, the fonts, librsvg, cairo, FreeType or the
# generator shows up as a failing test and then as a reviewed diff.
#
#   cmake -DART_DIR=<build>/generated/art -DHASH_LIST=<src>/resources/art/art.sha256 -P check_art_hashes.cmake
#
# With the environment variable ZINDLE_BLESS_ART=1 the list is rewritten
# from the current files instead (then review and commit the diff).

file(GLOB files RELATIVE ${ART_DIR} ${ART_DIR}/*.apic)
list(SORT files)
if(NOT files)
  message(FATAL_ERROR "No generated artwork in ${ART_DIR}: build zindle_art first")
endif()

set(current "")
foreach(f IN LISTS files)
  file(SHA256 ${ART_DIR}/${f} hash)
  string(APPEND current "${hash}  ${f}\n")
endforeach()

if("$ENV{ZINDLE_BLESS_ART}" STREQUAL "1")
  file(WRITE ${HASH_LIST} "${current}")
  list(LENGTH files count)
  message(STATUS "Blessed ${count} artwork files into ${HASH_LIST}")
  return()
endif()

if(NOT EXISTS ${HASH_LIST})
  message(FATAL_ERROR "No ${HASH_LIST}: run the test with ZINDLE_BLESS_ART=1 once")
endif()
file(READ ${HASH_LIST} expected)
if(NOT current STREQUAL expected)
  # Name the files that differ, so the diff is easy to follow.
  string(REPLACE "\n" ";" expected_lines "${expected}")
  string(REPLACE "\n" ";" current_lines "${current}")
  foreach(line IN LISTS current_lines)
    if(line AND NOT line IN_LIST expected_lines)
      message("changed or new: ${line}")
    endif()
  endforeach()
  foreach(line IN LISTS expected_lines)
    if(line AND NOT line IN_LIST current_lines)
      message("expected: ${line}")
    endif()
  endforeach()
  message(FATAL_ERROR "Generated artwork differs from ${HASH_LIST}. If the change is meant, "
                      "rerun with ZINDLE_BLESS_ART=1 and commit the new list.")
endif()
list(LENGTH files count)
message(STATUS "${count} artwork files match ${HASH_LIST}")
