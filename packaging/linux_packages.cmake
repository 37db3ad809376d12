# Linux: the installed tree (cmake --install, the .deb) and the portable
# program folder (the .tar.gz).
#
# Installed tree:
#   bin/                   ledglyph, ledglyph-cli, ledglyph-board, ledglyph-fontgen
#   share/ledglyph/        hzk16, ASC16, hellp.qvx (found as ../share/ledglyph from bin/)
#   share/applications/, share/icons/hicolor/, share/metainfo/, share/man/man1/,
#   share/doc/ledglyph/    the desktop menu entry, icons, AppStream data, manuals,
#                          and the Debian copyright file, which names every file's licence
#
# The relative place of the data is what the program looks for, so these
# folders are fixed rather than taken from GNUInstallDirs.

set(app_id test.qorvath.ledglyph)
set(generated "${CMAKE_CURRENT_BINARY_DIR}")

find_program(LEDGLYPH_HELP2MAN help2man)
if(NOT LEDGLYPH_HELP2MAN)
  message(FATAL_ERROR
    "help2man makes the manual pages: install the Debian package 'help2man' (scripts/setup.sh "
    "does), or configure with -DLEDGLYPH_PACKAGING=OFF to build without install rules.")
endif()

# Manual pages, made from each program's --help and --version.
set(summary_ledglyph "LED 点阵取模软件（窗口程序）")
set(summary_ledglyph-cli "点阵取模命令行工具")
set(summary_ledglyph-board "模拟显示板，接收串口下载的字模")
set(summary_ledglyph-fontgen "由位图字体生成点阵字库 hzk16 和 ASC16")
set(manuals "")
file(MAKE_DIRECTORY "${generated}/man")
foreach(program IN LISTS programs)
  set(page "${generated}/man/${program}.1.gz")
  add_custom_command(
    OUTPUT "${page}"
    COMMAND sh "${CMAKE_CURRENT_SOURCE_DIR}/make_manual_page.sh" $<TARGET_FILE:${program}>
            ${summary_${program}} "${page}"
    DEPENDS ${program} make_manual_page.sh
    COMMENT "Writing the manual page of ${program}"
    VERBATIM)
  list(APPEND manuals "${page}")
endforeach()

# Icons in the usual sizes and as SVG, drawn by the program's own icon code.
set(icon_theme "${generated}/icons/hicolor")
add_custom_command(
  OUTPUT "${icon_theme}/scalable/apps/ledglyph.svg" "${icon_theme}/48x48/apps/ledglyph.png"
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:ledglyph-iconfiles> "${generated}/icons"
  DEPENDS ledglyph-iconfiles
  COMMENT "Drawing the icon files of the desktop menu"
  VERBATIM)

configure_file(${app_id}.metainfo.xml "${generated}/${app_id}.metainfo.xml" @ONLY)
configure_file(changelog "${generated}/doc/changelog" @ONLY)
add_custom_command(
  OUTPUT "${generated}/doc/changelog.gz"
  COMMAND gzip -9nkf "${generated}/doc/changelog"
  DEPENDS "${generated}/doc/changelog"
  VERBATIM)

add_custom_target(ledglyph_install_files ALL DEPENDS
  ${manuals} "${icon_theme}/scalable/apps/ledglyph.svg" "${generated}/doc/changelog.gz")

# The installed tree. Its copyright file holds the licences, so the licence
# notes of the program folder stay out of it.
install(TARGETS ${programs} RUNTIME DESTINATION bin COMPONENT program)
install(FILES ${data_files} DESTINATION share/ledglyph COMPONENT program)
install(FILES ${app_id}.desktop DESTINATION share/applications COMPONENT program)
install(FILES "${generated}/${app_id}.metainfo.xml" DESTINATION share/metainfo COMPONENT program)
install(DIRECTORY "${icon_theme}" DESTINATION share/icons COMPONENT program)
install(FILES ${manuals} DESTINATION share/man/man1 COMPONENT program)
install(FILES copyright "${generated}/doc/changelog.gz" DESTINATION share/doc/ledglyph COMPONENT program)
install(FILES lintian-overrides DESTINATION share/lintian/overrides RENAME ledglyph COMPONENT program)

# The portable program folder, only in the .tar.gz.
install(TARGETS ${programs} RUNTIME DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES ${data_files} ${licence_notes} DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB TGZ)
set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows need a Qt platform plugin, which no linker sees, and a CJK font
# to show their Chinese texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-zenhei | fonts-noto-cjk")
file(READ debian_description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)

set(CPACK_ARCHIVE_PORTABLE_FILE_NAME "ledglyph-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")
