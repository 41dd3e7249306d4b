# cmake --install puts the program where a Linux desktop looks for it: the
# programs in bin, the example experiments in share/ampery/examples, the
# menu entry, the .aie file type, the icons, the software-centre entry and
# the manual pages in the freedesktop and Debian places.
include(GNUInstallDirs)

install(TARGETS ampery ampery-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${AMPERY_EXAMPLES} DESTINATION ${CMAKE_INSTALL_DATADIR}/ampery/examples)
install(FILES ${PROJECT_SOURCE_DIR}/resources/ampery.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/ampery-experiment.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

set(icon_root ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/ampery.svg
    DESTINATION ${icon_root}/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/application-x-ampery-experiment.svg
    DESTINATION ${icon_root}/scalable/mimetypes)
# The PNG sizes drawn at build time, each in the folder of its size and kind.
foreach(icon IN LISTS AMPERY_ICONS)
    file(RELATIVE_PATH relative ${AMPERY_ICON_DIR} ${icon})
    get_filename_component(folder ${relative} DIRECTORY)
    install(FILES ${icon} DESTINATION ${icon_root}/${folder})
endforeach()

# A version number written in a file by hand must follow the project's.
function(ampery_require_version file pattern)
    file(READ ${file} text)
    string(REPLACE "." "\\." version ${PROJECT_VERSION})
    string(REPLACE "@VERSION@" ${version} pattern ${pattern})
    if(NOT text MATCHES "${pattern}")
        message(FATAL_ERROR "${file} does not name version ${PROJECT_VERSION} where it should")
    endif()
endfunction()

# The software-centre entry. AppStream takes screenshots only by public http(s)
# address, and Ampery has no web site: the screenshots are listed only when
# AMPERY_SCREENSHOT_BASE_URL gives the address under which docs/screenshot.png
# and docs/diagram-window.png are published.
set(AMPERY_SCREENSHOT_BASE_URL "" CACHE STRING
    "Public http(s) address of the folder holding docs/screenshot.png and docs/diagram-window.png, for the AppStream entry; empty lists no screenshots")
set(metainfo_id invalid.ampery.ampery)
set(metainfo_template ${PROJECT_SOURCE_DIR}/resources/${metainfo_id}.metainfo.xml.in)
ampery_require_version(${metainfo_template} "<release version=\"@VERSION@\"")
set(AMPERY_METAINFO_SCREENSHOTS "")
if(AMPERY_SCREENSHOT_BASE_URL)
    if(NOT AMPERY_SCREENSHOT_BASE_URL MATCHES "^https?://[^ \t\"<>]+$")
        message(FATAL_ERROR "AMPERY_SCREENSHOT_BASE_URL must be an http or https address, not "
            "\"${AMPERY_SCREENSHOT_BASE_URL}\"")
    endif()
    string(REGEX REPLACE "/+$" "" base ${AMPERY_SCREENSHOT_BASE_URL})
    string(REPLACE "&" "&amp;" base ${base})
    string(CONCAT AMPERY_METAINFO_SCREENSHOTS
        "  <screenshots>\n"
        "    <screenshot type=\"default\">\n"
        "      <caption>Ampery with the example 并联电灯.aie open</caption>\n"
        "      <caption xml:lang=\"zh_CN\">打开了示例“并联电灯.aie”的 Ampery</caption>\n"
        "      <image>${base}/screenshot.png</image>\n"
        "    </screenshot>\n"
        "    <screenshot>\n"
        "      <caption>Component names on the experiment area, and the circuit diagram with values</caption>\n"
        "      <caption xml:lang=\"zh_CN\">实验区显示元件名称，电路图显示数值</caption>\n"
        "      <image>${base}/diagram-window.png</image>\n"
        "    </screenshot>\n"
        "  </screenshots>")
endif()
set(metainfo ${PROJECT_BINARY_DIR}/${metainfo_id}.metainfo.xml)
configure_file(${metainfo_template} ${metainfo} @ONLY)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages, compressed as Debian keeps them: gzip -n leaves out the name
# and time, so the same page makes the same bytes.
find_program(AMPERY_GZIP gzip REQUIRED)
set(man_dir ${PROJECT_BINARY_DIR}/man)
set(man_pages)
foreach(page ampery.1 ampery-cli.1)
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${page})
    ampery_require_version(${source} "\"Ampery @VERSION@\"")
    add_custom_command(OUTPUT ${man_dir}/${page}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${man_dir}/${page}
        COMMAND ${AMPERY_GZIP} -9nf ${man_dir}/${page}
        DEPENDS ${source}
        VERBATIM)
    list(APPEND man_pages ${man_dir}/${page}.gz)
endforeach()
add_custom_target(ampery_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
