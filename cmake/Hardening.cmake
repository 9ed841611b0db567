# The hardening Debian builds its own packages with, from dpkg-buildflags with every hardening
# feature on: the stack protector, _FORTIFY_SOURCE, format checks, full RELRO with BIND_NOW,
# and position-independent executables. The optimisation and debug flags stay the build type's.
# _FORTIFY_SOURCE needs optimisation, so a Debug build goes without it.

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
function(quirello_buildflags variable out)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            "${DPKG_BUILDFLAGS}" --get ${variable}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

quirello_buildflags(CXXFLAGS cxxflags)
quirello_buildflags(CPPFLAGS cppflags)
quirello_buildflags(LDFLAGS ldflags)
foreach(flag IN LISTS cxxflags cppflags)
    if(flag MATCHES "^-D_FORTIFY_SOURCE")
        add_compile_options("$<$<NOT:$<CONFIG:Debug>>:${flag}>")
    elseif(flag MATCHES "^-f(stack-protector|stack-clash|cf-protection)|^-W(format|error=format)")
        add_compile_options("${flag}")
    endif()
endforeach()
foreach(flag IN LISTS ldflags)
    if(flag MATCHES "^-Wl,-z,")
        add_link_options("${flag}")
    endif()
endforeach()
