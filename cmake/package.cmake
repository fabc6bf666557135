# The Debian package, made by `cpack` in the build folder from what
# `cmake --install` lays out. Its dependencies on libraries are worked out by
# dpkg-shlibdeps; the font the window was fitted to is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mojik)
set(CPACK_PACKAGE_VENDOR "MOJIK開発チーム")
set(CPACK_PACKAGE_CONTACT "MOJIK開発チーム <mojik@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bring every file name of a folder to upper or lower case")
# Each line stays within the 80 characters Debian allows an extended description.
set(CPACK_PACKAGE_DESCRIPTION "MOJIK renames every file of one folder so that its whole name, extension
included, is in upper case or in lower case, without ever replacing a file,
and writes a folder's file names to a Shift_JIS listing. Its window is in
Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/mojik/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)
# Qt's Japanese texts for the standard buttons and the Save dialog.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
include(CPack)
