# Helpers shared by every folder: one library target per folder, warnings as
# errors on our own code, tests registered with CTest.

set(TALLIX_WARNINGS -Wall -Wextra -Werror -Wshadow -Wold-style-cast -Wnon-virtual-dtor)

# tallix_add_library(<name> SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# The folder holding the call is the target's public include root's child, so
# callers include headers as "folder/Header.h" relative to the tree root.
function(tallix_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${TALLIX_WARNINGS})
    target_compile_definitions(${name} PUBLIC QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                                              QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
    add_library(tallix::${name} ALIAS ${name})
endfunction()

# The test program both kinds of test share: `main` is the library holding its main().
function(_tallix_add_test_program name main)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${TALLIX_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tallix_test_support ${main}
                                          GTest::gtest GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        TALLIX_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tallix_add_test(<name> SOURCES ... LIBS ...)
function(tallix_add_test name)
    _tallix_add_test_program(${name} tallix_test_main ${ARGN})
endfunction()

# tallix_add_ui_test(<name> SOURCES ... LIBS ...)
# A test of windows and widgets: runs in a QApplication on the offscreen platform with test-mode
# paths and the settings store in a scratch folder (tests/support/UiTestMain.cpp). Links QtTest
# for its event helpers and QAbstractItemModelTester. Questions and file dialogs are scripted with
# tallix::test::RecordingMessages.
function(tallix_add_ui_test name)
    _tallix_add_test_program(${name} tallix_ui_test_main ${ARGN})
    target_link_libraries(${name} PRIVATE tallix::tallix_ui Qt6::Test)
endfunction()
