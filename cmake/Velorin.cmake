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

# velorin_test(Name SOURCES ... DEPS ... [ENV ...])
# One GoogleTest executable, its cases registered with CTest.
function(velorin_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VELORIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELORIN_RECORDINGS_DIR="${PROJECT_SOURCE_DIR}/../shared/recordings")
  velorin_warnings(${name})
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENV}")
endfunction()
