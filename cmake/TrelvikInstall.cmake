# Installs Trelvik as one application folder (<prefix>/lib/trelvik: the program, trelvik-cli, data/, sound/,
# html/), reachable from <prefix>/bin, with a desktop entry, icons and AppStream metadata; and packs it as a
# Debian package with CPack.
include(GNUInstallDirs)

set(TRELVIK_INSTALL_APPDIR "lib/trelvik")

foreach(program trelvik trelvik-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${TRELVIK_INSTALL_APPDIR} COMPONENT runtime)
        # A relative link, so the tree can be moved or packed; the program finds its folder through the link.
        set(link "${PROJECT_BINARY_DIR}/install-links/${program}")
        file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/install-links")
        file(CREATE_LINK "../${TRELVIK_INSTALL_APPDIR}/${program}" "${link}" SYMBOLIC)
        install(FILES "${link}" DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
    endif()
endforeach()

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
install(FILES wordforms/SOURCES.md DESTINATION ${TRELVIK_INSTALL_DOCDIR} RENAME WORDFORMS-SOURCES.md COMPONENT runtime)

install(FILES packaging/trelvik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT runtime)
install(FILES packaging/org.trelvik.Trelvik.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT runtime)
foreach(size 16 32 48 64 128 256)
    install(FILES "assets/icons/trelvik-${size}.png" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME trelvik.png COMPONENT runtime)
endforeach()
install(FILES assets/icons/trelvik.svg DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        COMPONENT runtime)

set(CPACK_PACKAGE_NAME trelvik)
set(CPACK_PACKAGE_VENDOR "The Trelvik developers")
set(CPACK_PACKAGE_CONTACT "The Trelvik developers <trelvik@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "offline word dictionary between Russian, Swedish and English")
set(CPACK_PACKAGE_DESCRIPTION
    "Trelvik translates one word at a time between Russian, Swedish and English, in all six directions,
without a network connection, and keeps the user's own words in a user dictionary.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the platform plugin, WAV playback, the font and the
# Hunspell dictionaries that "Look up word forms" reads.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-liberation, hunspell-ru, hunspell-sv, hunspell-en-us")
set(CPACK_STRIP_FILES ON)
include(CPack)
