# cmake --install: the programs, the desktop entry with its icon, the man pages (their
# hand-written sections in docs/man with what the programs define, put together at build
# time), bash and zsh completion for vistrelctl, the README, the changelog, the JSON output's
# description and schema and the PDF manuals.
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

install(TARGETS vistrelctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
vistrel_man_page(vistrelctl __man)
install(FILES ${CMAKE_SOURCE_DIR}/dist/vistrelctl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vistrelctl)
install(FILES ${CMAKE_SOURCE_DIR}/dist/vistrelctl.zsh-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions RENAME _vistrelctl)
# The simulated camera runs on a pseudo-terminal, which the Windows build has not.
if(NOT WIN32)
  install(TARGETS vistrel-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The substitute Camera Link serial libraries carry the names of the vendors' libraries:
  # they go to a folder of their own, never on the loader's default path, so a frame
  # grabber's real library is always found first.
  install(TARGETS vistrel_clsersim LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/vistrel-sim)
  install(FILES ${VISTREL_CLSERIAL_DIR}/libclserial.so ${VISTREL_CLSERIAL_DIR}/libclallserial.so
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/vistrel-sim)
  vistrel_man_page(vistrel-sim)
endif()
if(VISTREL_GUI)
  install(TARGETS vistrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  vistrel_man_page(vistrel)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/vistrel.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The icon in the hicolor theme: the drawing and its renderings (scripts/render-icons).
  install(FILES ${CMAKE_SOURCE_DIR}/res/icons/vistrel.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/res/icons/vistrel-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME vistrel.png)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/dist/org.vistrel.Vistrel.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The manuals the about box offers, when the tree has any (named one by one: an install of
  # the folder would leave its other subfolders behind empty).
  file(GLOB manuals ${CMAKE_SOURCE_DIR}/docs/*.pdf)
  if(manuals)
    install(FILES ${manuals} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  endif()
endif()
# The README, the changelog and the contract of vistrelctl's --json output, which its --help
# and man page point to.
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/CHANGELOG.md
              ${CMAKE_SOURCE_DIR}/docs/vistrelctl.schema.json ${CMAKE_SOURCE_DIR}/docs/json-schema.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Windows archive: vistrelctl.exe, stripped, with its notes, the --json schema and the
# licence, ready to unpack; its debugging information goes into an archive of its own
# (vistrelctl.exe.debug, which the stripped program names for the debugger).
if(WIN32)
  get_filename_component(VISTREL_DIST_DIR ${VISTREL_WINDOWS_ARCHIVE} DIRECTORY)
  set(folder vistrel-${PROJECT_VERSION})
  set(staging ${VISTREL_DIST_DIR}/${folder})
  set(debug_staging ${VISTREL_DIST_DIR}/debug/${folder})
  set(docs ${CMAKE_SOURCE_DIR}/dist/README-Windows.txt ${CMAKE_SOURCE_DIR}/docs/json-schema.md
           ${CMAKE_SOURCE_DIR}/docs/vistrelctl.schema.json)
  add_custom_command(
    OUTPUT ${VISTREL_WINDOWS_ARCHIVE} ${VISTREL_WINDOWS_DEBUG_ARCHIVE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging} ${VISTREL_DIST_DIR}/debug
            ${VISTREL_WINDOWS_ARCHIVE} ${VISTREL_WINDOWS_DEBUG_ARCHIVE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${staging} ${debug_staging}
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:vistrelctl>
            ${debug_staging}/vistrelctl.exe.debug
    COMMAND ${CMAKE_STRIP} --strip-all -o ${staging}/vistrelctl.exe $<TARGET_FILE:vistrelctl>
    COMMAND ${CMAKE_COMMAND} -E chdir ${debug_staging}
            ${CMAKE_OBJCOPY} --add-gnu-debuglink=vistrelctl.exe.debug ${staging}/vistrelctl.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${docs} ${staging}/
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${staging}/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E chdir ${VISTREL_DIST_DIR}
            ${CMAKE_COMMAND} -E tar cf ${VISTREL_WINDOWS_ARCHIVE} --format=zip ${folder}
    COMMAND ${CMAKE_COMMAND} -E chdir ${VISTREL_DIST_DIR}/debug
            ${CMAKE_COMMAND} -E tar cf ${VISTREL_WINDOWS_DEBUG_ARCHIVE} --format=zip ${folder}
    DEPENDS vistrelctl ${docs} ${CMAKE_SOURCE_DIR}/LICENSE
    COMMENT "Windows archive ${VISTREL_WINDOWS_ARCHIVE} and its debugging information")
  add_custom_target(windows-dist ALL
                    DEPENDS ${VISTREL_WINDOWS_ARCHIVE} ${VISTREL_WINDOWS_DEBUG_ARCHIVE})
endif()
