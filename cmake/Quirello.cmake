# One static library per folder, built from the folder's own *.cpp files, so that adding a file
# to a subsystem needs no edit here.
function(quirello_folder_library target dir)
    file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
    if(NOT sources)
        set(sources "${CMAKE_BINARY_DIR}/quirello_empty.cpp")
        if(NOT EXISTS "${sources}")
            file(WRITE "${sources}" "// no sources yet\n")
        endif()
    endif()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${target} PUBLIC ${ARGN})
endfunction()

# One test program per folder under tests/, run by ctest.
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
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;QUIRELLO_SOURCE_DIR=${CMAKE_SOURCE_DIR};QUIRELLO_APP_DIR=${QUIRELLO_APP_DIR}"
        TIMEOUT 600)
endfunction()
