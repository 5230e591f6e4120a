# The Debian package trova_<version>_<arch>.deb, made by scripts/package.sh with CPack from the
# install rules. Its dependencies are read from the programs by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trova)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGE_CONTACT "T/ROVA developers <trova@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings window of the KORAX decompression dive planner")
set(CPACK_PACKAGE_DESCRIPTION
    "T/ROVA is the Czech-language window in front of KORAX, a decompression
dive planner (Buhlmann ZH-L16 with gradient factors, trimix, open circuit
and closed-circuit rebreathers with their bailout ascent). It edits
the planner's settings file profile.dat, keeping every other line byte
for byte, runs the planner and shows the plan with its dive chart.
.
The package holds the window trova, the planner korax, the plan viewer
trova-plan and the menu launcher trova-desktop, which keeps the user's
settings in ~/.local/share/trova.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Czech texts for the file, print and message-box dialogs; dpkg-shlibdeps adds the rest.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libnotify-bin")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
