# Fails when a source file does not follow .clang-format, or when there is no clang-format
# to tell.
if(NOT CLANG_FORMAT)
    message(FATAL_ERROR "clang-format not found: install it (scripts/test does) to check the format")
endif()
file(GLOB_RECURSE sources ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h
                          ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
                          ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h
                          ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "clang-format: the files above need formatting (clang-format -i)")
endif()
