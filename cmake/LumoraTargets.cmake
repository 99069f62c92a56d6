# One library per source folder: every .cpp below the folder belongs to it, so a
# new file needs no build edit.
function(lumora_library name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# One GoogleTest program per test folder, discovered into CTest.
function(lumora_tests name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    LUMORA_TESTDATA="${LUMORA_TESTDATA}"
    LUMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    LUMORA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# One Google Benchmark program per .cpp in bench/<folder>.
function(lumora_benchmarks folder)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  foreach(src ${sources})
    get_filename_component(stem ${src} NAME_WE)
    add_executable(bench_${stem} ${src})
    target_include_directories(bench_${stem} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
    target_link_libraries(bench_${stem} PRIVATE ${ARGN} benchmark::benchmark benchmark::benchmark_main)
  endforeach()
endfunction()
