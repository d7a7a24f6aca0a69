# One function adds a fuzz target: a source with LLVMFuzzerTestOneInput and
# its corpus in fuzz/corpus/<name>/.
#
#   stadionix_add_fuzz_target(<name> <source> [LIBS <targets...>])
#
# With STADIONIX_FUZZ on (clang) the target is a libFuzzer program. Otherwise
# it is linked with a main that replays its corpus once, and that replay is a
# CTest test, so every input a fuzzer ever kept (the crashes it found among
# them) is run by every build.
function(stadionix_add_fuzz_target name source)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    set(target fuzz_${name})
    add_executable(${target} ${source})
    target_link_libraries(${target} PRIVATE stadionix_fuzzsupport ${ARG_LIBS})
    if(STADIONIX_FUZZ)
        target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    else()
        target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/fuzz/replaymain.cpp)
    endif()
    add_dependencies(stadionix_fuzz_targets ${target})

    if(STADIONIX_BUILD_TESTS AND NOT STADIONIX_FUZZ)
        add_test(NAME ${target} COMMAND ${target} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
        stadionix_isolate_test(${target} 120)
        set_tests_properties(${target} PROPERTIES LABELS fuzz)
    endif()
endfunction()
