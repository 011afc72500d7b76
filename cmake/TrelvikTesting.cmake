# trelvik_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [GTEST] [QT])
# Builds one test executable and registers it with CTest; GUI tests run on the offscreen platform.
function(trelvik_add_test)
    cmake_parse_arguments(T "GTEST;QT" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/tests")
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} trelvik::warnings)
    # Shared helpers are included as "support/...".
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    if(T_GTEST)
        target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
        # Parameterised cases are named by their name generators; the printed parameter would only repeat it.
        gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
    else()
        add_test(NAME ${T_NAME} COMMAND ${T_NAME})
        # A home of its own: Qt's test mode keeps settings under ~/.qttest, and a window test that plants a
        # pipe there must not meet another build's copy of itself running at the same time.
        set(home "${PROJECT_BINARY_DIR}/tests/home/${T_NAME}")
        file(MAKE_DIRECTORY "${home}")
        set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home}")
    endif()
    if(T_QT)
        target_link_libraries(${T_NAME} PRIVATE Qt6::Test)
    endif()
endfunction()
