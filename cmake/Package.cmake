# `make package`: two Debian packages from the install components. aethrian-cli holds the
# command line alone, so a headless CI machine installs it without Qt; aethrian-editor adds the
# window and depends on the aethrian-cli of the same version.
set(AETHRIAN_MAINTAINER "Aethrian Script Editor developers <aethrian@users.noreply.github.com>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME aethrian)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Aethrian Script Editor developers")
set(CPACK_PACKAGE_CONTACT ${AETHRIAN_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL cli)
if(AETHRIAN_BUILD_UI)
  list(APPEND CPACK_COMPONENTS_ALL editor)
endif()
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${AETHRIAN_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/aethrian/script-editor")
set(CPACK_DEBIAN_PACKAGE_SOURCE aethrian-script-editor)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_CLI_PACKAGE_NAME aethrian-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_CLI_DESCRIPTION
    "checker and editor for a game server's text data files (command line)
aethrian-cli runs the operations of Aethrian Script Editor without its window:
it converts, compares and checks the text data files that drive an online
role-playing game's server (npcdata, itemdata, skilldata, PCH index files,
npcpos, client text dumps), changes rates and drop lists column by column and
writes every file atomically. It needs no graphical libraries, so it suits
continuous-integration machines that check a server's files before a restart.")

set(CPACK_DEBIAN_EDITOR_PACKAGE_NAME aethrian-editor)
set(CPACK_DEBIAN_EDITOR_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_EDITOR_PACKAGE_DEPENDS "aethrian-cli (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_EDITOR_DESCRIPTION
    "desktop editor and checker for a game server's text data files
Aethrian Script Editor edits the text data files that drive an online
role-playing game's server (npcdata, itemdata, skilldata, PCH index files,
npcpos, client text dumps, AI.obj) as tables with undo and redo, changes rates
and drop lists column by column, compares two files record by record and finds
broken cross-references between the files before a restart.")

include(CPack)
