# The interface translations: po/LANG.po compiled with msgfmt into the build
# tree (where the programs find them when run from there) and installed where
# gettext looks for them.
include(GNUInstallDirs)
find_program(MSGFMT_PROGRAM msgfmt REQUIRED)
# Globbed, unlike the sources: a translation is one po/LANG.po file and adding
# a language should take nothing more than that file.
file(GLOB PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
set(MO_FILES)
foreach(po ${PO_FILES})
  get_filename_component(lang ${po} NAME_WE)
  set(mo ${CMAKE_BINARY_DIR}/locale/${lang}/LC_MESSAGES/allelescope.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/locale/${lang}/LC_MESSAGES
    COMMAND ${MSGFMT_PROGRAM} --check-format --check-header -o ${mo} ${po}
    DEPENDS ${po} VERBATIM)
  list(APPEND MO_FILES ${mo})
  install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${lang}/LC_MESSAGES)
endforeach()
add_custom_target(allelescope_translations ALL DEPENDS ${MO_FILES})
foreach(program allelescope allelescope-gui)
  if(TARGET ${program})
    add_dependencies(${program} allelescope_translations)
  endif()
endforeach()

# The template's generator; scripts/update-po.sh runs it and merges the .po files.
add_executable(allelescope_pot po/make_pot.cpp)
target_link_libraries(allelescope_pot PRIVATE allelescope_core)
