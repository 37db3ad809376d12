# Read right after project(ledglyph) in the build of scripts/check_windows.sh.

# FreeType and zlib: MinGW-w64 ships neither. The Windows build takes both from
# vcpkg (vcpkg.json): FreeType is needed there anyway, the Qt installer does
# not ship it, and FreeType itself reads .pcf.gz fonts through zlib. (Qt's
# bundled zlib is Qt's private affair, and a copy of zlib in this repository
# would be one more thing to keep up to date.) Their public headers are plain
# C declarations, so here Debian's serve: FreeType's own folder, and zlib.h
# and zconf.h linked into a folder of their own (adding /usr/include itself
# would bring in glibc's headers). Nothing is linked, so the library paths
# only satisfy the find modules.
set(windows_check_zlib "${CMAKE_BINARY_DIR}/windows_check_zlib")
file(MAKE_DIRECTORY "${windows_check_zlib}")
foreach(header zlib.h zconf.h)
  file(CREATE_LINK "/usr/include/${header}" "${windows_check_zlib}/${header}" SYMBOLIC)
endforeach()
set(ZLIB_INCLUDE_DIR "${windows_check_zlib}" CACHE PATH "")
set(ZLIB_LIBRARY zlib-not-linked CACHE FILEPATH "")
set(FREETYPE_INCLUDE_DIR_ft2build /usr/include/freetype2 CACHE PATH "")
set(FREETYPE_INCLUDE_DIR_freetype2 /usr/include/freetype2 CACHE PATH "")
set(FREETYPE_LIBRARY freetype-not-linked CACHE FILEPATH "")

# Debian's Qt describes a Linux build: its Qt6::Platform target carries the
# linux-g++ mkspec and no Windows definitions. A Qt built for Windows with
# MinGW carries, on the same target, the win32-g++ mkspec and the definitions
# below (Qt's own QtBuild.cmake and QtFlagHandlingHelpers.cmake, installed with
# Debian's Qt, list them). Once the project has found Qt, they are swapped in,
# so our sources see what a Windows build shows them. A Windows DLL is linked
# through its import library, which a Linux Qt does not have; the .so stands
# in, as nothing is linked. (The project finds its Qt modules at the top; a
# subdirectory's imported targets would be out of reach here.)
function(windows_check_use_windows_qt_platform)
  get_target_property(includes Qt6::Platform INTERFACE_INCLUDE_DIRECTORIES)
  list(TRANSFORM includes REPLACE "/mkspecs/linux-g\\+\\+$" "/mkspecs/win32-g++")
  set_target_properties(Qt6::Platform PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${includes}")
  set_property(TARGET Qt6::Platform APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS
    WIN32 _ENABLE_EXTENDED_ALIGNED_STORAGE WIN64 _WIN64 MINGW_HAS_SECURE_API=1 UNICODE _UNICODE)

  get_directory_property(imported DIRECTORY "${CMAKE_SOURCE_DIR}" IMPORTED_TARGETS)
  foreach(target IN LISTS imported)
    get_target_property(type ${target} TYPE)
    get_target_property(configurations ${target} IMPORTED_CONFIGURATIONS)
    if(type STREQUAL "SHARED_LIBRARY" AND configurations)
      list(GET configurations 0 configuration)
      get_target_property(location ${target} IMPORTED_LOCATION_${configuration})
      set_target_properties(${target} PROPERTIES IMPORTED_IMPLIB "${location}")
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL windows_check_use_windows_qt_platform)

# moc runs on its own, without first building the libraries a target uses.
set(CMAKE_AUTOGEN_ORIGIN_DEPENDS OFF)

# Debian's Qt 6.4 lacks qt_generate_deploy_script (Qt 6.5), which the Windows
# packaging rules call. This stand-in only writes the deploy script's text, so
# that those rules configure too; nothing is installed by the check.
if(NOT COMMAND qt_generate_deploy_script)
  function(qt_generate_deploy_script)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "TARGET;OUTPUT_SCRIPT;NAME;CONTENT" "")
    set(script "${CMAKE_CURRENT_BINARY_DIR}/deploy_${arg_TARGET}.cmake")
    file(GENERATE OUTPUT "${script}" CONTENT "${arg_CONTENT}")
    set(${arg_OUTPUT_SCRIPT} "${script}" PARENT_SCOPE)
  endfunction()
endif()
