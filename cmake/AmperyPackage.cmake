# The Debian package: cpack -G DEB in a build folder makes
# ampery_<version>_<arch>.deb of what cmake --install puts in /usr, with the
# copyright and changelog Debian keeps for every package.

# Debian wants a name and an e-mail address in the Maintainer field. Ampery
# has no address of its own, so the one who builds the package gives theirs,
# here or, as Debian's own tools take it, in DEBFULLNAME and DEBEMAIL.
set(AMPERY_PACKAGE_MAINTAINER "" CACHE STRING
    "Maintainer of the Debian package, as \"Name <address>\"; empty takes DEBFULLNAME and DEBEMAIL")
set(maintainer ${AMPERY_PACKAGE_MAINTAINER})
if(NOT maintainer AND DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
    if("$ENV{DEBEMAIL}" MATCHES "<.*>")
        set(maintainer "$ENV{DEBEMAIL}")
    elseif(DEFINED ENV{DEBFULLNAME} AND NOT "$ENV{DEBFULLNAME}" STREQUAL "")
        set(maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
    else()
        set(maintainer "Ampery developers <$ENV{DEBEMAIL}>")
    endif()
endif()
if(NOT maintainer)
    set(maintainer "Ampery developers")
    message(STATUS "The Debian package's Maintainer has no e-mail address (lintian reports "
        "malformed-contact); set AMPERY_PACKAGE_MAINTAINER or DEBEMAIL to give one")
elseif(NOT maintainer MATCHES "^[^<>]+ <[^<> ]+@[^<> ]+>$")
    message(FATAL_ERROR "AMPERY_PACKAGE_MAINTAINER must read \"Name <address>\", not \"${maintainer}\"")
endif()
set(AMPERY_PACKAGE_MAINTAINER_FIELD ${maintainer})

set(doc_dir ${PROJECT_BINARY_DIR}/doc)
set(changelog_template ${PROJECT_SOURCE_DIR}/resources/debian/changelog.in)
ampery_require_version(${changelog_template} "^ampery \\(@VERSION@\\) ")
configure_file(${changelog_template} ${doc_dir}/changelog @ONLY)
add_custom_command(OUTPUT ${doc_dir}/changelog.gz
    COMMAND ${AMPERY_GZIP} -9nkf ${doc_dir}/changelog
    DEPENDS ${doc_dir}/changelog
    VERBATIM)
add_custom_target(ampery_changelog ALL DEPENDS ${doc_dir}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${doc_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ampery)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ampery)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ampery developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "virtual electricity laboratory for direct-current circuits")
# Debian descriptions are English. CPack puts the summary on the first line
# and writes a blank line as " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Ampery is a desktop laboratory for teaching direct-current circuits at
middle-school level. Students place sources, switches, lamps, resistors,
rheostats, motors, ammeters and voltmeters on the experiment area and join
them with wires; after every change the program shows whether the loop is
closed or the source short-circuited, how bright each lamp is, how each
motor turns and what each meter reads. The interface is in Chinese.

The package also holds ampery-cli, which analyses experiment files and draws
them and their circuit diagrams from the command line, and example
experiments, and it registers the .aie file type.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${maintainer})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Chinese text needs a Chinese font; the help file opens in a CHM viewer, and
# through the desktop's file opener when there is one.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei, xchm | kchmviewer, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel)$")
    set(CPACK_STRIP_FILES ON)
endif()
include(CPack)
