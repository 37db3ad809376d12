# Windows: the portable program folder as a .zip, as users of such tools know
# it: ledglyph.exe beside hzk16, ASC16, hellp.qvx and the other programs.
# Outputs stay in the folder when it can be written, otherwise they go to
# Documents\ledglyph (platform/app_dir.cpp decides, as on Linux).
#
# The folder also carries what the programs need on a computer without Qt:
# Qt's DLLs, plugins (plugins\) and translations (translations\) with a
# qt.conf that points Qt at them, laid out by windeployqt through Qt's own
# deployment support; the compiler's runtime; and the licences of all of it.
# FreeType and zlib are linked in statically (see CMakePresets.json).
#
#   cmake --install BUILD --prefix FOLDER      the folder
#   cpack --config BUILD/CPackConfig.cmake     the .zip of it

# qt_generate_deploy_script came with Qt 6.5, like NO_COMPILER_RUNTIME below.
if(NOT COMMAND qt_generate_deploy_script)
  message(FATAL_ERROR "The Windows package is laid out by Qt's deployment support, which needs "
    "Qt 6.5 or later (found ${Qt6Core_VERSION}); configure with -DLEDGLYPH_PACKAGING=OFF to build without it.")
endif()

install(TARGETS ${programs} RUNTIME DESTINATION . COMPONENT portable)
install(FILES ${data_files} ${licence_notes} DESTINATION . COMPONENT portable)
install(FILES windows/THIRD-PARTY.txt windows/LGPL-3.txt windows/GPL-3.txt DESTINATION . COMPONENT portable)

# windeployqt, run on the installed programs: Qt's DLLs beside them, the
# plugins in plugins\, the translations (one qt_LANGUAGE.qm per language) in
# translations\, and qt.conf. MinGW's runtime DLLs come with it; MSVC's are
# installed below, as files in the folder rather than Microsoft's installer.
set(other_programs ${programs})
list(REMOVE_ITEM other_programs ledglyph)
list(TRANSFORM other_programs REPLACE "(.+)" "$<TARGET_FILE_NAME:\\1>")
if(MSVC)
  set(compiler_runtime NO_COMPILER_RUNTIME)
else()
  set(compiler_runtime "")
endif()
qt_generate_deploy_script(
  TARGET ledglyph
  OUTPUT_SCRIPT deploy_script
  CONTENT "
qt_deploy_runtime_dependencies(
  EXECUTABLE \"$<TARGET_FILE_NAME:ledglyph>\"
  ADDITIONAL_EXECUTABLES ${other_programs}
  BIN_DIR .
  LIB_DIR .
  PLUGINS_DIR plugins
  GENERATE_QT_CONF
  ${compiler_runtime})
")
install(SCRIPT "${deploy_script}" COMPONENT portable)

if(MSVC)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_COMPONENT portable)
  include(InstallRequiredSystemLibraries)
endif()

set(CPACK_GENERATOR ZIP)
string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" processor)
set(CPACK_ARCHIVE_PORTABLE_FILE_NAME "ledglyph-${PROJECT_VERSION}-windows-${processor}")
