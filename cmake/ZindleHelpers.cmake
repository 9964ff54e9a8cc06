# One library per source folder, declared in cmake/Architecture.cmake.
# Sources are picked up by folder so that a new file needs no edit here;
# platform files live in linux/ and win32/ subfolders (none/ holds the stand-ins
# of a build without the system's library, see zindle_stand_in).
function(zindle_layer name dir)
  file(GLOB sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  if(WIN32)
    file(GLOB platform CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/win32/*.cpp)
  else()
    file(GLOB platform CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/linux/*.cpp)
  endif()
  list(APPEND sources ${platform})
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# Builds library `name` of folder `dir` with the stand-ins of dir/none instead
# of its linux/ or win32/ files.
function(zindle_stand_in name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/none/*.cpp)
  set_property(TARGET ${name} PROPERTY SOURCES ${sources})
endfunction()

# One GoogleTest executable per tested folder; every *.cpp in it is a test file.
function(zindle_test name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} zindle_test_support GTest::gtest GTest::gtest_main Threads::Threads)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT
                       "ZINDLE_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data")
endfunction()

# A library whose sources are generated at build time: it is defined where
# it is generated; the table only names its header folder and uses.
function(zindle_generated name dir)
endfunction()

# The "never reaches" rules of cmake/Architecture.cmake are checked by
# CheckArchitecture.cmake; the build itself has nothing to do with them.
function(zindle_never name)
endfunction()
