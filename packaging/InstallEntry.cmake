# Run by `cmake --install`, with the prefix given then: links the program into
# bin/ and writes the desktop entry that starts it from there.
# Needs VELORIN_APP_DIR (the program's folder below the prefix) and
# VELORIN_DESKTOP_TEMPLATE.

set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(link "${root}/bin/velorin")
set(entry "${root}/share/applications/velorin.desktop")

file(MAKE_DIRECTORY "${root}/bin" "${root}/share/applications")
message(STATUS "Installing: ${link}")
file(CREATE_LINK "../${VELORIN_APP_DIR}/velorin" "${link}" SYMBOLIC)

# The program as the desktop starts it, without DESTDIR (a staging folder).
set(VELORIN_TRY_EXEC "${CMAKE_INSTALL_PREFIX}/bin/velorin")
set(VELORIN_EXEC "${VELORIN_TRY_EXEC}")
# An Exec= argument with a reserved character is quoted, and ", `, $ and \
# inside the quotes are escaped; the entry's own string escapes then double
# every backslash.
if(VELORIN_EXEC MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" VELORIN_EXEC "${VELORIN_EXEC}")
  set(VELORIN_EXEC "\"${VELORIN_EXEC}\"")
endif()
string(REPLACE "\\" "\\\\" VELORIN_EXEC "${VELORIN_EXEC}")
string(REPLACE "\\" "\\\\" VELORIN_TRY_EXEC "${VELORIN_TRY_EXEC}")

message(STATUS "Installing: ${entry}")
configure_file("${VELORIN_DESKTOP_TEMPLATE}" "${entry}" @ONLY)

list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}" "${entry}")
