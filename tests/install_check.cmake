# Installs the build into a fresh prefix and checks the tree: the two
# programs, the desktop entry, the MIME type, the icon, the example layouts
# and the entity definitions. Run by CTest with -DBUILD_DIR and -DPREFIX.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(expected
  bin/tevra
  bin/tevra-batch
  bin/libdbbrdg.so
  bin/libextsrc.so
  share/applications/tevra.desktop
  share/dbus-1/services/org.tevra.Tevra.service
  share/dbus-1/interfaces/org.tevra.Application.xml
  share/mime/packages/tevra.xml
  share/icons/hicolor/scalable/apps/tevra.svg
  share/tevra/ARRL.DX
  share/tevra/examples/postcard.tvd
  share/tevra/examples/landscape.tvd
  share/tevra/examples/tackseal.tvd
  share/doc/tevra/README.md
  share/doc/tevra/manual.md)
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()
foreach(program tevra tevra-batch)
  if(NOT IS_DIRECTORY "${PREFIX}/bin" OR NOT EXISTS "${PREFIX}/bin/${program}")
    message(FATAL_ERROR "no ${program}")
  endif()
endforeach()
file(READ "${PREFIX}/share/applications/tevra.desktop" desktop)
foreach(line "Exec=tevra %F" "Categories=Office;Graphics;" "MimeType=application/x-tevra-layout;" "Icon=tevra")
  string(FIND "${desktop}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "tevra.desktop lacks ${line}")
  endif()
endforeach()
file(READ "${PREFIX}/share/mime/packages/tevra.xml" mime)
foreach(part "application/x-tevra-layout" "*.tvd" "TEVRA card layout document")
  string(FIND "${mime}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "tevra.xml lacks ${part}")
  endif()
endforeach()
# The installed batch program finds its entity definitions and renders.
execute_process(COMMAND "${PREFIX}/bin/tevra-batch" --help RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed tevra-batch --help failed: ${rc}")
endif()
# The bus starts the installed program.
file(READ "${PREFIX}/share/dbus-1/services/org.tevra.Tevra.service" service)
if(NOT service MATCHES "Exec=${PREFIX}/bin/tevra --automation")
  message(FATAL_ERROR "the D-Bus service file does not start ${PREFIX}/bin/tevra: ${service}")
endif()
