# cmake --install: the programs, the desktop entry with its icon, man pages made from the
# programs' --help at build time, bash completion for vistrelctl and the PDF manuals.
include(GNUInstallDirs)

set(VISTREL_MAN_DIR ${CMAKE_BINARY_DIR}/man)
function(vistrel_man_page target summary help_option)
  if(CMAKE_CROSSCOMPILING)
    return()  # the page is made by running the program
  endif()
  set(page ${VISTREL_MAN_DIR}/${target}.1)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VISTREL_MAN_DIR}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DHELP_OPTION=${help_option}
            -DNAME=${target}
            "-DSUMMARY=${summary}" -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page}
            -P ${CMAKE_SOURCE_DIR}/cmake/HelpToMan.cmake
    DEPENDS ${target} ${CMAKE_SOURCE_DIR}/cmake/HelpToMan.cmake
    COMMENT "Man page of ${target}")
  add_custom_target(${target}-man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

install(TARGETS vistrelctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
vistrel_man_page(vistrelctl "set up a Camera Link camera over its serial channel" --help-all)
install(FILES ${CMAKE_SOURCE_DIR}/dist/vistrelctl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vistrelctl)
# The simulated camera runs on a pseudo-terminal, which the Windows build has not.
if(NOT WIN32)
  install(TARGETS vistrel-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  vistrel_man_page(vistrel-sim "a simulated Camera Link camera on a pseudo-terminal" --help)
endif()
if(VISTREL_GUI)
  install(TARGETS vistrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/dist/vistrel.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/res/vistrel.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
  # The manuals the about box offers.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}
          FILES_MATCHING PATTERN "*.pdf")
endif()
