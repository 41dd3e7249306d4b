cmake_minimum_required(VERSION 3.25)
# Checks a compiled help file with a reader independent of the compiler:
# every page, stylesheet and picture the project lists must be inside, and
# every page written must be listed. Run with cmake -P and:
#   HELP_FILE    the .chm
#   SOURCE_DIR   the help sources
#   ENUM_CHMLIB  enum_chmLib from Debian's libchm-bin
if(NOT ENUM_CHMLIB)
    message(FATAL_ERROR "enum_chmLib is missing: install the Debian package libchm-bin")
endif()
execute_process(COMMAND "${ENUM_CHMLIB}" "${HELP_FILE}"
    RESULT_VARIABLE result OUTPUT_VARIABLE listing ERROR_VARIABLE error)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "enum_chmLib cannot read ${HELP_FILE}: ${error}")
endif()

file(STRINGS "${SOURCE_DIR}/ampery.hhp" project)
set(listed)
set(in_files FALSE)
foreach(line IN LISTS project)
    if(line MATCHES "^\\[")
        set(in_files FALSE)
        if(line STREQUAL "[FILES]")
            set(in_files TRUE)
        endif()
    elseif(in_files AND NOT line STREQUAL "")
        list(APPEND listed "${line}")
    endif()
endforeach()

file(GLOB pages RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.html")
set(missing)
foreach(page IN LISTS pages)
    if(NOT page IN_LIST listed)
        list(APPEND missing "${page} (not listed in ampery.hhp)")
    endif()
endforeach()
foreach(entry IN LISTS listed)
    string(FIND "${listing}" "\t/${entry}\n" at)
    if(at EQUAL -1)
        list(APPEND missing "${entry}")
    endif()
endforeach()
list(LENGTH listed count)
if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "the help file lacks:\n  ${missing}")
endif()
message(STATUS "all ${count} listed files are in the help file")
