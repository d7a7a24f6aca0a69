# One function registers every QtTest executable with CTest. Each test runs
# under the offscreen platform with its own HOME, TMPDIR and XDG folders below
# the build tree, so nothing it does can reach a user's settings or database.
#
#   stadionix_add_test(<name> SOURCES <files...> [LIBS <targets...>]
#                      [RESOURCE_LOCK <locks...>] [TIMEOUT <seconds>] [LABELS <labels...>])
function(stadionix_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;RESOURCE_LOCK;LABELS;DEPENDS" ${ARGN})
    if(NOT ARG_LIBS)
        set(ARG_LIBS stadionix_core)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test stadionix_testsupport)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    if(ARG_DEPENDS)
        add_dependencies(${name} ${ARG_DEPENDS})
    endif()

    add_test(NAME ${name} COMMAND ${name} -maxwarnings 0)
    stadionix_isolate_test(${name} ${ARG_TIMEOUT})
    if(ARG_RESOURCE_LOCK)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${ARG_RESOURCE_LOCK}")
    endif()
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
endfunction()

# Gives a registered test its time-out, the offscreen platform and a private
# HOME, TMPDIR and XDG folders (wiped before the first test runs).
function(stadionix_isolate_test name timeout)
    set(home ${CMAKE_BINARY_DIR}/tests/home/${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${timeout}
        FIXTURES_REQUIRED stadionix_test_homes
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};TMPDIR=${home}/tmp;XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_CACHE_HOME=${home}/cache;XDG_RUNTIME_DIR=${home}/runtime;LANG=C.UTF-8;LC_ALL=C.UTF-8")
    set_property(GLOBAL APPEND PROPERTY STADIONIX_TEST_HOMES ${home})
endfunction()
