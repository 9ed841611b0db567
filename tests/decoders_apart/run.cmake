# cmake -DQUIRELLO_SOURCE=DIR -DWORK=DIR -P run.cmake: the tree of CMakeLists.txt beside this
# file configures as it is, and fails naming the chain once a decoder is planted in the program.
function(configure name plant result error)
    execute_process(COMMAND "${CMAKE_COMMAND}" -S "${CMAKE_CURRENT_LIST_DIR}" -B "${WORK}/${name}"
                            -DQUIRELLO_SOURCE=${QUIRELLO_SOURCE} -DPLANT=${plant}
                    RESULT_VARIABLE status ERROR_VARIABLE said OUTPUT_QUIET)
    set(${result} ${status} PARENT_SCOPE)
    set(${error} "${said}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
configure(clean OFF status said)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the tree without a decoder in the program was refused:\n${said}")
endif()
configure(planted ON status said)
if(status EQUAL 0)
    message(FATAL_ERROR "a decoder linked by the program's show window was not refused")
endif()
string(REGEX REPLACE "[ \n]+" " " said "${said}")
if(NOT said MATCHES "program may not link q_decoders, the helpers' decoders: program -> q_show_window -> q_decoders")
    message(FATAL_ERROR "the refusal does not name the chain:\n${said}")
endif()
file(REMOVE_RECURSE "${WORK}")
