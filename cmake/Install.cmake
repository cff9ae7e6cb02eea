# cmake --install: the programs, the desktop entry with its icon, the man pages (their
# hand-written sections in docs/man with what the programs define, put together at build
# time), bash and zsh completion for vistrelctl, the README, the changelog and the PDF
# manuals.
include(GNUInstallDirs)

set(VISTREL_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(VISTREL_MAN_PAGES "")
function(vistrel_man_page target)
  if(CMAKE_CROSSCOMPILING)
    return()  # the page is made by running the program
  endif()
  set(page ${VISTREL_MAN_DIR}/${target}.1)
  set(template ${CMAKE_SOURCE_DIR}/docs/man/${target}.1.in)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VISTREL_MAN_DIR}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DTEMPLATE=${template}
            -DVERSION=${PROJECT_VERSION} -DDOCDIR=${CMAKE_INSTALL_FULL_DOCDIR}
            -DSECTIONS_OPTION=${ARGN} -DOUTPUT=${page}
            -P ${CMAKE_SOURCE_DIR}/cmake/HelpToMan.cmake
    DEPENDS ${target} ${template} ${CMAKE_SOURCE_DIR}/cmake/HelpToMan.cmake
    COMMENT "Man page of ${target}")
  add_custom_target(${target}-man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  set(VISTREL_MAN_PAGES ${VISTREL_MAN_PAGES} ${page} PARENT_SCOPE)
endfunction()

foreach(program vistrel vistrelctl vistrel-sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
if(TARGET vistrelctl)
  vistrel_man_page(vistrelctl __man)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/vistrelctl.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vistrelctl)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/vistrelctl.zsh-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions RENAME _vistrelctl)
endif()
if(TARGET vistrel-sim)
  vistrel_man_page(vistrel-sim)
endif()
if(TARGET vistrel)
  vistrel_man_page(vistrel)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/vistrel.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/res/vistrel.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
  # The manuals the about box offers.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}
          FILES_MATCHING PATTERN "*.pdf")
endif()
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
