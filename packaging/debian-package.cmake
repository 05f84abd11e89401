# The Debian package "knobstation": everything the install rules put under the prefix, with the
# libraries the programs link found by dpkg-shlibdeps and what they load at run time added.

set(KBS_PACKAGE_RELEASE 1 CACHE STRING "Debian revision of the knobstation package")
set(KBS_PACKAGE_MAINTAINER "Knobstation developers <knobstation@example.org>"
    CACHE STRING "Maintainer named in the knobstation package")
set(KBS_PACKAGE_VERSION ${PROJECT_VERSION}-${KBS_PACKAGE_RELEASE})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME knobstation)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings console for ZAV Ferrostrike dot-matrix printers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Three desktop programs edit the internal settings of ZAV Ferrostrike
printers: memory switches, parameters, function selections and paper forms.
kbs18r serves the Q18RW and Q18RV, kbs62d the P62DW and P62DV, kbs18t the
Q18TS. The settings are kept in settings files and sent to the printer as
one raw print job through CUPS. The package also holds a printer
description for each model, so that lpadmin and the desktop's printer
tools can create queues for them.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KBS_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KBS_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no linker sees them: the Japanese dialog font and Qt's own Japanese
# texts for the standard buttons and file dialogs. The CUPS client library, like Qt, comes
# from the programs' links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
# A print server to send to (possibly another machine's) and a browser launcher for the help.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-daemon, xdg-utils")
# What runs the Ansible module in /usr/share/knobstation/ansible.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "ansible-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
