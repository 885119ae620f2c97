# Runs lupdate over the sources of the services and the window into copies of the shipped
# translations: it must find no text that a translation lacks (new, changed or unfinished),
# and none left over.
file(GLOB shipped ${SOURCE_DIR}/translations/*.ts)
if(NOT shipped)
    message(FATAL_ERROR "no translations in ${SOURCE_DIR}/translations")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(ts ${shipped})
    get_filename_component(name ${ts} NAME)
    file(COPY ${ts} DESTINATION ${WORK_DIR})
    execute_process(COMMAND ${LUPDATE} -source-language zh_CN -locations none -I ${SOURCE_DIR}/src
                            ${SOURCE_DIR}/src/app
                            ${SOURCE_DIR}/src/ui -ts ${WORK_DIR}/${name}
                    RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${name}")
    endif()
    file(READ ${WORK_DIR}/${name} updated)
    string(REGEX MATCHALL "<translation type=\"(unfinished|vanished|obsolete)\"[^<]*" left "${updated}")
    list(LENGTH left count)
    if(count GREATER 0)
        message(FATAL_ERROR "${name}: ${count} texts untranslated or left over: ${left}")
    endif()
endforeach()
