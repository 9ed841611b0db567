# Each library and program sees only the source folders it may include: its own, and those of
# the libraries it links (with what their headers include in turn). Instead of the source root,
# each gets an include root in the build tree that holds links to the headers of exactly those
# folders, so that including a folder it does not link fails to compile.
set(QUIRELLO_INCLUDE_ROOTS "${CMAKE_BINARY_DIR}/include-roots")

# QtCore for the rules, without Qt's root include folder on their path: the QtCore headers find
# one another through a root of our own that holds QtCore alone, so that no QtGui or QtWidgets
# header can be included from a rules library, by any spelling.
function(quirello_qtcore_only)
    get_target_property(core_dirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
    get_target_property(platform_dirs Qt6::Platform INTERFACE_INCLUDE_DIRECTORIES)
    list(FILTER core_dirs INCLUDE REGEX "/QtCore$")
    list(GET core_dirs 0 core_dir)
    get_filename_component(qt_root "${core_dir}" DIRECTORY)
    list(REMOVE_ITEM platform_dirs "${qt_root}") # what is left: the mkspecs folder
    set(root "${QUIRELLO_INCLUDE_ROOTS}/qtcore")
    file(MAKE_DIRECTORY "${root}")
    file(CREATE_LINK "${core_dir}" "${root}/QtCore" SYMBOLIC)
    add_library(quirello_qtcore INTERFACE)
    target_link_libraries(quirello_qtcore INTERFACE $<LINK_ONLY:Qt6::Core>)
    target_include_directories(quirello_qtcore SYSTEM INTERFACE "${core_dir}" "${root}"
                                                                 ${platform_dirs})
    target_compile_definitions(quirello_qtcore INTERFACE
                               $<TARGET_PROPERTY:Qt6::Core,INTERFACE_COMPILE_DEFINITIONS>)
    target_compile_options(quirello_qtcore INTERFACE
                           $<TARGET_PROPERTY:Qt6::Core,INTERFACE_COMPILE_OPTIONS>)
endfunction()

# Records that `target` is built from the source folder `folder` under `base`, and that it
# needs an include root.
function(quirello_sees target folder base)
    set_target_properties(${target} PROPERTIES QUIRELLO_FOLDER "${folder}"
                                               QUIRELLO_FOLDER_BASE "${base}")
    set_property(GLOBAL APPEND PROPERTY QUIRELLO_TARGETS ${target})
endfunction()

# One static library per folder (relative to the source root), built from the folder's own
# *.cpp files, so that adding a file to a subsystem needs no edit here. PUBLIC: what its headers
# include; PRIVATE: what only its sources include.
function(quirello_folder_library target folder)
    cmake_parse_arguments(L "" "" "PUBLIC;PRIVATE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${folder}/*.cpp"
         "${CMAKE_SOURCE_DIR}/${folder}/*.h")
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
    quirello_sees(${target} "${folder}" "${CMAKE_SOURCE_DIR}")
endfunction()

# The folders seen through `target`: its own, then those of what it links through `links` (a
# link property), each followed in turn through what it links publicly. Private links are
# wrapped in $<LINK_ONLY:...> and are no targets here; a library of no folder of ours (Qt's)
# adds nothing.
function(quirello_folders_through target links out)
    set(result "")
    get_target_property(folder ${target} QUIRELLO_FOLDER)
    if(folder)
        get_target_property(base ${target} QUIRELLO_FOLDER_BASE)
        list(APPEND result "${base}|${folder}")
    endif()
    if(folder OR links STREQUAL "LINK_LIBRARIES")
        get_target_property(deps ${target} ${links})
        foreach(dep IN LISTS deps)
            if(TARGET "${dep}")
                quirello_folders_through(${dep} INTERFACE_LINK_LIBRARIES more)
                list(APPEND result ${more})
            endif()
        endforeach()
    endif()
    list(REMOVE_DUPLICATES result)
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Gives every recorded target its include root: its own folder and the interface folders of
# each library it links. Call once, after every target is defined.
function(quirello_include_roots)
    get_property(targets GLOBAL PROPERTY QUIRELLO_TARGETS)
    foreach(target IN LISTS targets)
        quirello_folders_through(${target} LINK_LIBRARIES visible)

        set(root "${QUIRELLO_INCLUDE_ROOTS}/${target}")
        file(REMOVE_RECURSE "${root}")
        foreach(entry IN LISTS visible)
            string(REPLACE "|" ";" parts "${entry}")
            list(GET parts 0 base)
            list(GET parts 1 folder)
            file(MAKE_DIRECTORY "${root}/${folder}")
            file(GLOB headers CONFIGURE_DEPENDS "${base}/${folder}/*.h")
            foreach(header IN LISTS headers)
                get_filename_component(name "${header}" NAME)
                file(CREATE_LINK "${header}" "${root}/${folder}/${name}" SYMBOLIC)
            endforeach()
        endforeach()
        target_include_directories(${target} PRIVATE "${root}")
    endforeach()
endfunction()

# A program whose sources lie in `folder` (relative to the source root, or "" for none of
# its own headers): it sees what it links.
function(quirello_program target folder)
    quirello_sees(${target} "${folder}" "${CMAKE_SOURCE_DIR}")
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
    quirello_program(test_${name} "")
    add_test(NAME ${name} COMMAND test_${name})
    # A test that skips itself shows as skipped, which CI counts as a failure.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;QUIRELLO_APP_DIR=${QUIRELLO_APP_DIR}"
        TIMEOUT 600 SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endfunction()
