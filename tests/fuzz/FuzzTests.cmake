# The fuzz targets in ctest: built with clang when it is installed, each run for a short fixed
# number of inputs from its seed corpus on; skipped when clang or libFuzzer is missing.
set(fuzz_bin ${CMAKE_BINARY_DIR}/fuzz)
set(fuzz_runs 10000)
find_program(KARVEN_CLANGXX NAMES clang++) # package clang
if(KARVEN_CLANGXX)
  include(ExternalProject)
  ExternalProject_Add(karven_fuzz
    SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/fuzz
    BINARY_DIR ${fuzz_bin}
    # Fuzzing's usual build: quick to compile, sanitizer reports still name file and line.
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${KARVEN_CLANGXX} -DCMAKE_BUILD_TYPE=Release
               "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -gline-tables-only"
               -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${fuzz_bin}/bin
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
else()
  message(STATUS "clang++ not found: the fuzz tests will be skipped")
endif()

# A whole season read or played per input: fewer of them, so that every push's checks stay quick
# (long runs are scripts/fuzz's own job).
set(fuzz_runs_SeasonReader 4000)
set(fuzz_runs_Play 4000)
foreach(target SeasonReader OldReader Cp932 Play SeasonCsv)
  set(runs ${fuzz_runs})
  if(DEFINED fuzz_runs_${target})
    set(runs ${fuzz_runs_${target}})
  endif()
  add_test(NAME fuzz.${target}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/fuzz --no-build --scratch --build-dir ${CMAKE_BINARY_DIR}
            --runs ${runs} ${target})
  set_tests_properties(fuzz.${target} PROPERTIES SKIP_RETURN_CODE 77 LABELS fuzz)
endforeach()
