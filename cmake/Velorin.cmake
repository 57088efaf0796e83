# Helpers shared by every module, test and benchmark.

# Warnings apply to our own targets only.
function(velorin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wswitch)
endfunction()

# velorin_module(Name SOURCES ... [DEPS ...] [PRIVATE_DEPS ...])
# A static library named after its folder; the folder is its include root, so
# headers are included as "Support/Json.h", "Recognizer/Gesture.h", ...
function(velorin_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/Sources)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  velorin_warnings(${name})
endfunction()

# velorin_test(Name SOURCES ... DEPS ... [ENV ...] [PROPERTIES ...])
# One GoogleTest executable, its cases registered with CTest (with the test
# properties given).
function(velorin_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENV;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VELORIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELORIN_RECORDINGS_DIR="${PROJECT_SOURCE_DIR}/Tests/data/recordings")
  velorin_warnings(${name})
  # Each entry of the environment, joined by "|", is set by the
  # program itself before main.
  set(env "QT_QPA_PLATFORM=offscreen" ${ARG_ENV})
  list(JOIN env "|" env)
  target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/Tests/TestEnvironment.cpp)
  target_compile_definitions(${name} PRIVATE VELORIN_TEST_ENVIRONMENT="${env}")
  if(ARG_PROPERTIES)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${ARG_PROPERTIES})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
