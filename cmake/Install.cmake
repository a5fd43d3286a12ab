# What `cmake --install` puts where, split into the two Debian packages' components:
# `cli` (the command line, no Qt) and `editor` (the window, its desktop integration).
include(GNUInstallDirs)

# Debian's policy, whatever the umask of the machine that builds the packages.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(AETHRIAN_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(AETHRIAN_DOC_ROOT ${CMAKE_INSTALL_DATADIR}/doc)

# Manual pages from the programs' own --help and --version, so they never drift; Debian wants
# them compressed with gzip -9n (no name or time stamp, so rebuilds are byte-identical).
find_program(HELP2MAN_PROGRAM help2man)
find_program(GZIP_PROGRAM gzip REQUIRED)
set(AETHRIAN_MAN_PAGES "")
function(aethrian_man_page target name)
  if(NOT HELP2MAN_PROGRAM)
    return()
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${target}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND ${HELP2MAN_PROGRAM} --no-info --section=1 --name=${name} --output=${page}
            $<TARGET_FILE:${target}>
    COMMAND ${GZIP_PROGRAM} -9nf ${page}
    DEPENDS ${target}
    COMMENT "Generating the manual page of ${target}"
    VERBATIM)
  set(AETHRIAN_MAN_PAGES ${AETHRIAN_MAN_PAGES} ${page}.gz PARENT_SCOPE)
endfunction()

aethrian_man_page(aethrian-cli "check and edit a game server's text data files from the command line")
if(AETHRIAN_BUILD_UI)
  aethrian_man_page(aethrian-editor "desktop editor and checker for a game server's text data files")
endif()
if(NOT HELP2MAN_PROGRAM)
  message(WARNING "help2man not found: no manual pages (scripts/install-deps.sh installs it)")
endif()

set(AETHRIAN_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${AETHRIAN_CHANGELOG}
  COMMAND ${GZIP_PROGRAM} -9nc ${AETHRIAN_PACKAGING_DIR}/debian/changelog > ${AETHRIAN_CHANGELOG}
  DEPENDS ${AETHRIAN_PACKAGING_DIR}/debian/changelog
  COMMENT "Compressing the Debian changelog")
add_custom_target(installables ALL DEPENDS ${AETHRIAN_MAN_PAGES} ${AETHRIAN_CHANGELOG})

install(TARGETS aethrian-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
if(HELP2MAN_PROGRAM)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/aethrian-cli.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
endif()
install(FILES README.md ${AETHRIAN_PACKAGING_DIR}/debian/copyright ${AETHRIAN_CHANGELOG}
        DESTINATION ${AETHRIAN_DOC_ROOT}/aethrian-cli COMPONENT cli)

if(AETHRIAN_BUILD_UI)
  install(TARGETS aethrian-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT editor)
  if(HELP2MAN_PROGRAM)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/aethrian-editor.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT editor)
  endif()
  install(FILES ${AETHRIAN_PACKAGING_DIR}/${AETHRIAN_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT editor)
  install(FILES ${AETHRIAN_PACKAGING_DIR}/${AETHRIAN_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT editor)
  install(FILES ${AETHRIAN_PACKAGING_DIR}/${AETHRIAN_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT editor)
  install(FILES ${AETHRIAN_PACKAGING_DIR}/debian/copyright ${AETHRIAN_CHANGELOG}
          DESTINATION ${AETHRIAN_DOC_ROOT}/aethrian-editor COMPONENT editor)
endif()
