# The Debian package: `cpack -G DEB` in the build folder makes vantell_<version>_<arch>.deb of
# what `cmake --install` installs, under /usr (with share/doc/vantell/copyright and changelog.gz,
# resources/package/). Its dependencies are Debian packages only: the libraries the programs
# link, as dpkg-shlibdeps finds them, the fonts of the pages and Qt's Wayland plugin. Lintian
# finds no error and no warning in it (test_deb).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantell)
set(CPACK_PACKAGE_VENDOR korvanex)
set(CPACK_PACKAGE_CONTACT "korvanex <vantell@korvanex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teleprompter for reading a script from a screen or a prompting glass")
# The long description: lines of at most 80 characters, as Debian's tools show it.
set(CPACK_PACKAGE_DESCRIPTION
    "Vantell shows a script as large white text on a black page that scrolls at\n\
an adjustable speed, for a speaker reading from a screen or from the glass of\n\
a prompting rig. The page can be mirrored and turned upside down; scripts can\n\
be queued and stepped through; a quick editor corrects the current script;\n\
elapsed and remaining times are shown while it runs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Arial and the colour emoji of script pages are these fonts on Debian; the Noto fonts give the
# letters of every other major writing system (Indic, Thai, Ethiopic, Arabic, Hebrew ...; Chinese,
# Japanese and Korean in fonts-noto-cjk), to which the page font falls back character by
# character; Qt's Wayland plugin lets the program run on Wayland sessions without XWayland; voice
# following listens with the English speech model.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation2, fonts-noto-color-emoji, fonts-noto-core, fonts-noto-cjk, qt6-wayland, pocketsphinx-en-us")

include(CPack)
