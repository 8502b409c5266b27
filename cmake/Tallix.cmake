# Helpers shared by every folder: one library target per folder, each with include roots of its
# own, warnings as errors on our own code, tests registered with CTest, and the check that links
# and includes run one way.

set(TALLIX_WARNINGS -Wall -Wextra -Werror -Wshadow -Wold-style-cast -Wnon-virtual-dtor)

# tallix_stage_headers(<target> <PUBLIC|PRIVATE|INTERFACE>)
# Headers are included by their path in the tree ("common/db/Connection.h"), but no target has
# the tree's root on its include path. Each target gets a folder of its own instead, holding for
# each header among its sources a one-line header of that path that includes the real one. The
# folder is the target's include root (PUBLIC: also of every target that links it; INTERFACE:
# only of those, for a library of headers alone). A target thus sees its own headers and those of
# the targets it links, and an include of any other header of the tree does not compile.
function(tallix_stage_headers target scope)
    set(stage ${PROJECT_BINARY_DIR}/include/${target})
    # The forwarding headers name the real ones relative to themselves, so what is compiled does
    # not depend on where the tree lies and the compiler cache serves every checkout alike; real
    # paths, so that ".." climbs the folders it names even when the build folder is a link.
    file(REAL_PATH ${PROJECT_BINARY_DIR} realStage)
    string(APPEND realStage /include/${target})
    get_target_property(sources ${target} SOURCES)
    get_target_property(sourceDir ${target} SOURCE_DIR)
    set(staged)
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\.h$")
            continue()
        endif()
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${sourceDir} NORMALIZE
                   OUTPUT_VARIABLE header)
        cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${header} NORMALIZE inTree)
        if(NOT inTree)
            message(FATAL_ERROR "${target}: ${header} lies outside the source tree")
        endif()
        cmake_path(RELATIVE_PATH header BASE_DIRECTORY ${PROJECT_SOURCE_DIR}
                   OUTPUT_VARIABLE included)
        file(REAL_PATH ${header} realHeader)
        cmake_path(GET included PARENT_PATH includedDir)
        cmake_path(RELATIVE_PATH realHeader BASE_DIRECTORY ${realStage}/${includedDir}
                   OUTPUT_VARIABLE forward)
        # Rewritten only when it changes, so a new configure rebuilds nothing.
        file(CONFIGURE OUTPUT ${stage}/${included} CONTENT "#include \"${forward}\"\n" @ONLY)
        list(APPEND staged ${stage}/${included})
    endforeach()
    # A header taken out of the sources is no longer includable.
    file(GLOB_RECURSE present LIST_DIRECTORIES false ${stage}/*)
    foreach(file IN LISTS present)
        if(NOT file IN_LIST staged)
            file(REMOVE ${file})
        endif()
    endforeach()
    target_include_directories(${target} ${scope} ${stage})
endfunction()

# tallix_add_library(<name> SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# Its headers are included as "folder/Header.h", the folder's path from the tree's root, by the
# target itself and by the targets that link it (tallix_stage_headers).
function(tallix_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    tallix_stage_headers(${name} PUBLIC)
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
    tallix_stage_headers(${name} PRIVATE)
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

# The targets defined in <dir> and the folders below it.
function(_tallix_targets_below dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        _tallix_targets_below(${subdir} below)
        list(APPEND targets ${below})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The folders of the tree whose targets a target in <folder> may link: common/ stays below the
# programs, and neither program's folders use the other's. Empty: no rule for that folder.
function(_tallix_linkable_folders folder out)
    if(folder MATCHES "^common(/|$)")
        set(allowed common)
    elseif(folder MATCHES "^controls(/|$)")
        set(allowed controls)
    elseif(folder MATCHES "^generator(/|$)")
        set(allowed common controls generator)
    elseif(folder MATCHES "^viewer(/|$)")
        set(allowed common controls viewer)
    else()
        set(allowed)
    endif()
    set(${out} ${allowed} PARENT_SCOPE)
endfunction()

# tallix_check_layers()
# Called once every target is defined; stops the configure when
# - a target has a folder of the source tree on its include path: the tree's headers are reached
#   only through the staged folders of tallix_stage_headers, so a target includes no more than it
#   links;
# - a target links across the layers (_tallix_linkable_folders). Since it includes no more than it
#   links, this keeps the includes running one way too.
function(tallix_check_layers)
    _tallix_targets_below(${PROJECT_SOURCE_DIR} targets)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "UTILITY")
            continue()
        endif()
        get_target_property(dir ${target} SOURCE_DIR)
        cmake_path(RELATIVE_PATH dir BASE_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE folder)

        get_target_property(includes ${target} INCLUDE_DIRECTORIES)
        get_target_property(interfaceIncludes ${target} INTERFACE_INCLUDE_DIRECTORIES)
        foreach(include IN LISTS includes interfaceIncludes)
            string(REGEX REPLACE "^\\$<BUILD_INTERFACE:(.*)>$" "\\1" include "${include}")
            cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${include}" NORMALIZE inTree)
            cmake_path(IS_PREFIX PROJECT_BINARY_DIR "${include}" NORMALIZE inBuild)
            if(inTree AND NOT inBuild)
                message(FATAL_ERROR "${target} (${folder}) has ${include} on its include path; "
                        "link the target whose headers it needs (tallix_stage_headers).")
            endif()
        endforeach()

        _tallix_linkable_folders("${folder}" allowed)
        if(NOT allowed)
            continue()
        endif()
        get_target_property(links ${target} LINK_LIBRARIES)
        if(NOT links)
            set(links)
        endif()
        foreach(link IN LISTS links)
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            if(NOT TARGET "${link}")
                continue()
            endif()
            get_target_property(aliased ${link} ALIASED_TARGET)
            if(aliased)
                set(link ${aliased})
            endif()
            get_target_property(imported ${link} IMPORTED)
            if(imported)
                continue()
            endif()
            get_target_property(linkDir ${link} SOURCE_DIR)
            cmake_path(RELATIVE_PATH linkDir BASE_DIRECTORY ${PROJECT_SOURCE_DIR}
                       OUTPUT_VARIABLE linkFolder)
            string(REGEX REPLACE "/.*" "" linkTop "${linkFolder}")
            if(NOT linkTop IN_LIST allowed)
                list(JOIN allowed "/, " allowedText)
                message(FATAL_ERROR "${target} (${folder}) links ${link} (${linkFolder}); "
                        "${folder} may use only ${allowedText}/.")
            endif()
        endforeach()
    endforeach()
endfunction()
