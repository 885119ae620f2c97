# The Debian package (cpack -G DEB): the program and its templates under /usr/lib/velmora,
# /usr/bin/velmora pointing at it, the launcher, the icon, the AppStream metadata and the
# package's own documents. Runs and books go to the user's folders (a folder under /usr
# cannot be written).
include(GNUInstallDirs)

install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_LIBDIR}/velmora)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/template/ DESTINATION ${CMAKE_INSTALL_LIBDIR}/velmora/template)
install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${CMAKE_INSTALL_LIBDIR}/velmora/velmora
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/velmora\" SYMBOLIC)
")
set(VELMORA_EXEC velmora)
configure_file(${PROJECT_SOURCE_DIR}/src/ui/resources/velmora.desktop.in
               ${PROJECT_BINARY_DIR}/velmora.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/velmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/resources/velmora.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/io.github.velmora.Velmora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Debian wants the changelog and the manual page compressed, reproducibly.
find_program(GZIP gzip REQUIRED)
foreach(document changelog velmora.1)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${document}.gz
                       COMMAND ${GZIP} -9nc ${CMAKE_CURRENT_LIST_DIR}/${document} >
                               ${PROJECT_BINARY_DIR}/${document}.gz
                       DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${document})
endforeach()
add_custom_target(velmora_documents ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz
                                                ${PROJECT_BINARY_DIR}/velmora.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_BINARY_DIR}/velmora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn typed-in songs into an EPUB lyric book")
# No line may begin with "." (Debian reads " ." as a paragraph break).
set(CPACK_PACKAGE_DESCRIPTION "Velmora collects songs, a name and its lyric each, typed in or
brought in from lyric files (.lrc, .txt), the tags of audio files
(.mp3, .flac, .ogg, .opus, .m4a, .ape, .wv) and earlier books, and makes
them into an EPUB 2 book with a cover, one page per song and a table of
contents. Its window speaks Simplified Chinese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libtag1v5: the tags of audio files brought in; libopencc: 简体 and 繁體.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "p7zip-full, xdg-utils, qt6-translations-l10n, fonts-wqy-microhei, libopencc1.1, libopencc-data, libtag1v5")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-user-dirs")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
