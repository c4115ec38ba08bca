# Install rules: the programs, the examples demo runs, and what a desktop
# expects of an installed program (menu entry, icon, manual pages, completion,
# copyright and changelog). The same layout goes into the Debian package.
include(GNUInstallDirs)

# The date of this version, for the metainfo; CHANGELOG.md and the Debian
# changelog carry it too.
set(ALLELESCOPE_RELEASE_DATE 2026-12-06)
set(ALLELESCOPE_APP_ID org.allelescope.AlleleScope)
set(PKG_SRC ${CMAKE_SOURCE_DIR}/packaging)
set(PKG_OUT ${CMAKE_BINARY_DIR}/packaging)
set(DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/allelescope)

foreach(program allelescope allelescope-gui)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
# demo looks for these at ../share/allelescope/examples from the program.
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/allelescope/examples
  FILES_MATCHING PATTERN "*.xlsx" PATTERN "*.xlsm" PATTERN "*.xls")

install(FILES ${PKG_SRC}/desktop/${ALLELESCOPE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PKG_SRC}/desktop/${ALLELESCOPE_APP_ID}.metainfo.xml.in
  ${PKG_OUT}/${ALLELESCOPE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PKG_OUT}/${ALLELESCOPE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PKG_SRC}/icons/allelescope.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# bash-completion loads a command's completion by the command's name.
foreach(program allelescope allelescope-gui)
  install(FILES ${PKG_SRC}/completion/allelescope.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program})
endforeach()

# Debian keeps documentation compressed with gzip -9n (no name, no time, so
# two builds give the same bytes).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(DATA_OUTPUTS)
add_custom_command(OUTPUT ${PKG_OUT}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nc ${PKG_SRC}/debian/changelog > ${PKG_OUT}/changelog.gz
  DEPENDS ${PKG_SRC}/debian/changelog VERBATIM)
list(APPEND DATA_OUTPUTS ${PKG_OUT}/changelog.gz)
install(FILES ${PKG_OUT}/changelog.gz ${PKG_SRC}/debian/copyright DESTINATION ${DOC_DIR})

# Manual pages: scdoc turns one readable source per page into roff.
find_program(SCDOC_PROGRAM scdoc)
if(SCDOC_PROGRAM)
  foreach(page allelescope allelescope-gui)
    configure_file(${PKG_SRC}/man/${page}.1.scd.in ${PKG_OUT}/${page}.1.scd @ONLY)
    add_custom_command(OUTPUT ${PKG_OUT}/${page}.1 ${PKG_OUT}/${page}.1.gz
      COMMAND ${SCDOC_PROGRAM} < ${PKG_OUT}/${page}.1.scd > ${PKG_OUT}/${page}.1
      COMMAND ${GZIP_PROGRAM} -9nc ${PKG_OUT}/${page}.1 > ${PKG_OUT}/${page}.1.gz
      DEPENDS ${PKG_OUT}/${page}.1.scd VERBATIM)
    list(APPEND DATA_OUTPUTS ${PKG_OUT}/${page}.1 ${PKG_OUT}/${page}.1.gz)
    install(FILES ${PKG_OUT}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
else()
  message(WARNING "scdoc not found: the manual pages are neither built nor installed")
endif()

# The icon in the sizes a desktop asks for, drawn by the script that drew the
# scalable one, with the window's narrowest lines at the small sizes.
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT AND DEBIAN_PYTHON)
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${PKG_OUT}/icons/${size}x${size}/allelescope.png)
    set(svg ${PKG_OUT}/icons/${size}x${size}/allelescope.svg)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PKG_OUT}/icons/${size}x${size}
      COMMAND ${DEBIAN_PYTHON} ${PKG_SRC}/icons/draw_icon.py ${svg} ${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
      DEPENDS ${PKG_SRC}/icons/draw_icon.py VERBATIM)
    list(APPEND DATA_OUTPUTS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert or python3 not found: only the scalable icon is installed")
endif()
add_custom_target(allelescope_data ALL DEPENDS ${DATA_OUTPUTS})
