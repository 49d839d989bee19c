# `cpack` (in the build folder) makes a Debian package of what `cmake --install` installs:
# the plug-in, the host stand-in libraries, the stand-in slave plug-ins, hwcfg, the
# translations and the sample host data and projects, all under /opt/corvo. The libraries
# carry generic names (libcorekit.so, ...) and find each other by run path, so they stay in
# their own tree instead of the system's library folders.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvo)
set(CPACK_PACKAGE_CONTACT "Corvo developers <corvo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "CPU-module plug-in of a PLC hardware-configuration tool, with its demo host hwcfg")
set(CPACK_PACKAGE_DESCRIPTION
    "The CPU-module plug-in, a stand-in for the host's libraries and slave plug-ins, sample host data and projects, English and Simplified Chinese texts, and hwcfg, the demo host that drives the plug-in from the command line (/opt/corvo/bin/hwcfg).")
set(CPACK_PACKAGING_INSTALL_PREFIX /opt/corvo)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Dependencies as dpkg-shlibdeps finds them; the package's own libraries are found beside
# the build's.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
# Chinese glyphs, and Qt's own texts (standard buttons, file dialogs) in Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qttranslations5-l10n")
include(CPack)
