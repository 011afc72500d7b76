# Installs Trelvik as one application folder (<prefix>/lib/trelvik: the program, trelvik-cli, data/, sound/,
# html/), reachable from <prefix>/bin, with a desktop entry, icons and AppStream metadata; and packs it as a
# Debian package with CPack. The dictionary exported for dictd goes into a package of its own, trelvik-dict.
include(GNUInstallDirs)

set(TRELVIK_INSTALL_APPDIR "lib/trelvik")

set(TRELVIK_MAN_PAGES)
foreach(program trelvik trelvik-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${TRELVIK_INSTALL_APPDIR} COMPONENT runtime)
        # Both manual pages come from packaging/trelvik.1.in.
        set(page "${PROJECT_BINARY_DIR}/man/${program}.1.gz")
        add_custom_command(OUTPUT "${page}"
            COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/packaging/trelvik.1.in -DPROGRAM=${program}
                    -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page} -P ${PROJECT_SOURCE_DIR}/cmake/TrelvikManPages.cmake
            DEPENDS packaging/trelvik.1.in cmake/TrelvikManPages.cmake
            COMMENT "Writing the manual page of ${program}")
        list(APPEND TRELVIK_MAN_PAGES "${page}")
        install(FILES "${page}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)
        # A relative link, so the tree can be moved or packed; the program finds its folder through the link.
        set(link "${PROJECT_BINARY_DIR}/install-links/${program}")
        file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/install-links")
        file(CREATE_LINK "../${TRELVIK_INSTALL_APPDIR}/${program}" "${link}" SYMBOLIC)
        install(FILES "${link}" DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
    endif()
endforeach()

# The voice examples' player module, loaded from modules/ beside the program.
if(TARGET trelvik_player)
    install(TARGETS trelvik_player LIBRARY DESTINATION ${TRELVIK_INSTALL_APPDIR}/modules COMPONENT runtime)
endif()

# Marks the folder as an installed copy: the user dictionary then lives in each user's data folder.
file(WRITE "${PROJECT_BINARY_DIR}/installed-copy" "")
install(FILES "${PROJECT_BINARY_DIR}/installed-copy" DESTINATION ${TRELVIK_INSTALL_APPDIR} COMPONENT runtime)

foreach(dir data sound html)
    install(DIRECTORY "${PROJECT_SOURCE_DIR}/${dir}" DESTINATION ${TRELVIK_INSTALL_APPDIR} COMPONENT runtime
            PATTERN "SOURCES.md" EXCLUDE)
endforeach()
set(TRELVIK_INSTALL_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/trelvik")
install(FILES "${PROJECT_SOURCE_DIR}/data/SOURCES.md" packaging/copyright DESTINATION ${TRELVIK_INSTALL_DOCDIR}
        COMPONENT runtime)
install(FILES core/wordforms/SOURCES.md DESTINATION ${TRELVIK_INSTALL_DOCDIR} RENAME WORDFORMS-SOURCES.md COMPONENT runtime)
# Debian wants the changelog and the manual pages compressed, without a time stamp inside.
set(TRELVIK_CHANGELOG "${PROJECT_BINARY_DIR}/packaging/changelog.gz")
add_custom_command(OUTPUT "${TRELVIK_CHANGELOG}"
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_BINARY_DIR}/packaging/changelog
    COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/packaging/changelog
    DEPENDS packaging/changelog)
add_custom_target(trelvik_package_docs ALL DEPENDS "${TRELVIK_CHANGELOG}" ${TRELVIK_MAN_PAGES})
install(FILES "${TRELVIK_CHANGELOG}" DESTINATION ${TRELVIK_INSTALL_DOCDIR} COMPONENT runtime)
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME trelvik
        COMPONENT runtime)

install(FILES packaging/trelvik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT runtime)
install(FILES packaging/org.trelvik.Trelvik.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT runtime)
foreach(size 16 32 48 64 128 256)
    install(FILES "assets/icons/trelvik-${size}.png" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME trelvik.png COMPONENT runtime)
endforeach()
install(FILES assets/icons/trelvik.svg DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        COMPONENT runtime)

# The six DICT databases of trelvik-dict, exported at build time from the committed volumes by trelvik-cli
# itself, and registered with dictd by the package's maintainer scripts.
file(GLOB TRELVIK_VOLUMES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/data/*/*.dct")
set(TRELVIK_DICTD_DIR "${PROJECT_BINARY_DIR}/dictd")
set(TRELVIK_DICTD_FILES)
foreach(direction ru-sv ru-en sv-ru sv-en en-ru en-sv)
    list(APPEND TRELVIK_DICTD_FILES "${TRELVIK_DICTD_DIR}/trelvik-${direction}.index"
         "${TRELVIK_DICTD_DIR}/trelvik-${direction}.dict.dz")
endforeach()
add_custom_command(OUTPUT ${TRELVIK_DICTD_FILES}
    COMMAND trelvik-cli --app-dir "${PROJECT_SOURCE_DIR}" export-dictionary --format dict "${TRELVIK_DICTD_DIR}"
    DEPENDS trelvik-cli ${TRELVIK_VOLUMES}
    COMMENT "Exporting the dictionary for dictd")
add_custom_target(trelvik_dictd_databases ALL DEPENDS ${TRELVIK_DICTD_FILES})
install(FILES ${TRELVIK_DICTD_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/dictd COMPONENT dict)
install(FILES packaging/copyright "${TRELVIK_CHANGELOG}" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trelvik-dict
        COMPONENT dict)

set(CPACK_PACKAGE_NAME trelvik)
set(CPACK_PACKAGE_VENDOR "The Trelvik developers")
set(CPACK_PACKAGE_CONTACT "The Trelvik developers <trelvik@example.org>")
# Each package's description starts with its own summary line. CPack would put the project's summary in front
# of both, unless that summary is CPack's own default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
# Debian wants the lines of the long description below 80 characters.
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "offline word dictionary between Russian, Swedish and English
Trelvik translates one word at a time between Russian, Swedish and English,
in all six directions, without a network connection, and keeps the user's own
words in a user dictionary. trelvik-cli runs the same lookups from scripts.")
set(CPACK_COMPONENT_DICT_DESCRIPTION "Russian, Swedish and English dictionary for the dict server
Trelvik's dictionary between Russian, Swedish and English as six databases for
dictd, one a direction (trelvik-ru-sv, trelvik-sv-en, ...): each word with the
translations Trelvik gives for it. Installing the package registers them with
dictd, so that 'dict -d trelvik-sv-en hus' answers.")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dict)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME trelvik)
set(CPACK_DEBIAN_DICT_PACKAGE_NAME trelvik-dict)
set(CPACK_DEBIAN_DICT_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DICT_PACKAGE_PROVIDES dictd-dictionary)
set(CPACK_DEBIAN_DICT_PACKAGE_RECOMMENDS "dictd | dict-server")
set(CPACK_DEBIAN_DICT_PACKAGE_SUGGESTS dict)
set(CPACK_DEBIAN_DICT_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/packaging/trelvik-dict/postinst;${PROJECT_SOURCE_DIR}/packaging/trelvik-dict/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the platform plugin, WAV playback, the font and the
# Hunspell dictionaries that "Look up word forms" reads.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-liberation, hunspell-ru, hunspell-sv, hunspell-en-us")
set(CPACK_STRIP_FILES ON)
include(CPack)
