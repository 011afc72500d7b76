# The fuzz entry points, built once and linked by both the fuzzer executables and the corpus replay test.
# Included from fuzz/ (fuzz builds) and from tests/fuzz/ (every test build), whichever comes first.

# The one list of fuzz targets, as name:entry. The name is the fuzzer executable fuzz_<name> and the seed
# folder fuzz/corpus/<name>; the entry is the function of FuzzTargets.h or FuzzQtText.h it drives. The
# fuzzers, tools/ci/run-fuzzers.sh and the corpus replay test all take their targets from here.
set(TRELVIK_FUZZ_TARGETS
    "volume:FuzzVolume" "userdict:FuzzUserDict" "exampletext:FuzzExampleText"
    "codepages:FuzzCodePages" "qttext:FuzzQtText" "wordlist:FuzzWordList")

if(TARGET trelvik_fuzz_entries)
    return()
endif()

add_library(trelvik_fuzz_entries STATIC
    ${CMAKE_CURRENT_LIST_DIR}/FuzzTargets.cpp ${CMAKE_CURRENT_LIST_DIR}/FuzzTargets.h)
target_include_directories(trelvik_fuzz_entries PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(trelvik_fuzz_entries PUBLIC trelvik::services trelvik::userdict trelvik::engine PRIVATE trelvik::warnings)

# The widget and command-line edge converts through QString, so this one entry needs QtCore.
add_library(trelvik_fuzz_qt_entries STATIC
    ${CMAKE_CURRENT_LIST_DIR}/FuzzQtText.cpp ${CMAKE_CURRENT_LIST_DIR}/FuzzQtText.h)
target_include_directories(trelvik_fuzz_qt_entries PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(trelvik_fuzz_qt_entries PUBLIC trelvik::qttext Qt6::Core PRIVATE trelvik::warnings)
