# The real editor component for the Windows tests and minihost: Scintilla.dll, built
# once from Debian's source package and kept in the build tree beside our programs.
set(TARNWICK_SCINTILLA_DLL ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Scintilla.dll)
add_custom_command(
    OUTPUT ${TARNWICK_SCINTILLA_DLL}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/build_scintilla.sh ${TARNWICK_MINGW_PREFIX}
            ${TARNWICK_SCINTILLA_DLL} ${CMAKE_BINARY_DIR}/scintilla
    COMMENT "Building Scintilla.dll from Debian's scite source package"
    USES_TERMINAL VERBATIM)
add_custom_target(scintilla ALL DEPENDS ${TARNWICK_SCINTILLA_DLL})
