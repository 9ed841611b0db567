# Every library and program includes the program's headers from the source root
# ("settings/ShowSettings.h"). Which folder may include which is the README's table, which
# scripts/check-layers.py reads every #include against (a test, and CI's first step); the
# rules-only build (QUIRELLO_RULES_ONLY) proves that the rules need no QtWidgets.

# One static library per folder (relative to the source root), built from the folder's own
# *.cpp files, so that adding a file to a subsystem needs no edit here. PUBLIC: what its headers
# include; PRIVATE: what only its sources include; EXCLUDE: file names of the folder that belong
# to another target.
function(quirello_folder_library target folder)
    cmake_parse_arguments(L "" "" "PUBLIC;PRIVATE;EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${folder}/*.cpp"
         "${CMAKE_SOURCE_DIR}/${folder}/*.h")
    foreach(name IN LISTS L_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "/${name}$")
    endforeach()
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
endfunction()

# One test program per folder under tests/, run by ctest. LIBS: what it includes.
function(quirello_test name)
    cmake_parse_arguments(T "WIDGETS" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp"
         "${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.h")
    if(NOT sources)
        return()
    endif()
    add_executable(test_${name} ${sources})
    if(T_WIDGETS)
        target_link_libraries(test_${name} PRIVATE quirello_test_support_gui ${T_LIBS})
    else()
        target_link_libraries(test_${name} PRIVATE quirello_test_support ${T_LIBS})
    endif()
    add_test(NAME ${name} COMMAND test_${name})
    # A test that skips itself shows as skipped, which CI counts as a failure.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;QUIRELLO_APP_DIR=${QUIRELLO_APP_DIR}"
        TIMEOUT 600 SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endfunction()
