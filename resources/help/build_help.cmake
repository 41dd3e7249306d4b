cmake_minimum_required(VERSION 3.25)
# Compiles the help file: the UTF-8 sources are converted to GBK (the code
# page the help viewers read Chinese help in), staged with the pictures and
# compiled with chmcmd. Run with cmake -P and:
#   SOURCE_DIR   the help sources
#   PICTURE_DIR  the rendered pictures
#   STAGE_DIR    a scratch folder, emptied first
#   OUTPUT       the .chm to produce
#   CHMCMD, ICONV  the tools
foreach(variable SOURCE_DIR PICTURE_DIR STAGE_DIR OUTPUT CHMCMD ICONV)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "build_help.cmake needs -D${variable}=...")
    endif()
endforeach()

file(REMOVE_RECURSE "${STAGE_DIR}")
file(MAKE_DIRECTORY "${STAGE_DIR}/pictures")

file(GLOB sources RELATIVE "${SOURCE_DIR}"
    "${SOURCE_DIR}/*.html" "${SOURCE_DIR}/*.hhp" "${SOURCE_DIR}/*.hhc" "${SOURCE_DIR}/*.hhk"
    "${SOURCE_DIR}/*.css")
foreach(source IN LISTS sources)
    execute_process(COMMAND "${ICONV}" -f UTF-8 -t GBK "${SOURCE_DIR}/${source}"
        OUTPUT_FILE "${STAGE_DIR}/${source}"
        RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${source} cannot be written in GBK: ${error}")
    endif()
endforeach()

file(GLOB pictures "${PICTURE_DIR}/*.png")
file(COPY ${pictures} DESTINATION "${STAGE_DIR}/pictures")

# With full-text search on, chmcmd crashes on Chinese pages and leaves an
# empty file, so both the exit code and the size are checked.
execute_process(COMMAND "${CHMCMD}" --no-html-scan ampery.hhp
    WORKING_DIRECTORY "${STAGE_DIR}"
    RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
set(compiled "${STAGE_DIR}/ampery_help.chm")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "chmcmd failed (${result}):\n${log}")
endif()
file(SIZE "${compiled}" size)
if(size EQUAL 0)
    message(FATAL_ERROR "chmcmd produced an empty help file:\n${log}")
endif()
file(COPY_FILE "${compiled}" "${OUTPUT}")
