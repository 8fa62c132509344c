# The release of one architecture in dist/: Tarnwick-<version>-<arch>.zip with the stripped DLL alone
# at its root (the layout the host's plugin installer unpacks into plugins\Tarnwick\), the
# DLL itself in dist/<arch>/, and plugin-list-<arch>.json, the entry of the host's plugin
# list for that zip.
include(${PROJECT_SOURCE_DIR}/cmake/version.cmake)

# The project's addresses are placeholders until it has a home.
set(TARNWICK_HOMEPAGE "https://tarnwick.example.org/" CACHE STRING
    "The plugin's home page, named by the plugin list entry")
set(TARNWICK_DOWNLOAD_URL "https://tarnwick.example.org/releases" CACHE STRING
    "Where the release zips are downloaded from, without the zip's name")

set(TARNWICK_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
set(TARNWICK_RELEASE_DLL ${TARNWICK_DIST_DIR}/${TARNWICK_WINDOWS_ARCH}/Tarnwick.dll)
set(release_zip_name Tarnwick-${TARNWICK_VERSION}-${TARNWICK_WINDOWS_ARCH}.zip)
set(TARNWICK_RELEASE_ZIP ${TARNWICK_DIST_DIR}/${release_zip_name})
set(TARNWICK_PLUGIN_LIST ${TARNWICK_DIST_DIR}/plugin-list-${TARNWICK_WINDOWS_ARCH}.json)
set(plugin_list_template ${PROJECT_SOURCE_DIR}/resources/plugin_list_entry.json.in)
# The release DLL goes without the symbols and debug sections (most of them the static C++
# runtime's), well over half its size; the DLL the tests load keeps them.
find_program(TARNWICK_STRIP ${TARNWICK_MINGW_PREFIX}-strip REQUIRED)

add_custom_command(
    OUTPUT ${TARNWICK_RELEASE_DLL} ${TARNWICK_RELEASE_ZIP} ${TARNWICK_PLUGIN_LIST}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TARNWICK_DIST_DIR}/${TARNWICK_WINDOWS_ARCH}
    COMMAND ${TARNWICK_STRIP} --strip-all -o ${TARNWICK_RELEASE_DLL} $<TARGET_FILE:Tarnwick>
    COMMAND ${CMAKE_COMMAND} -E rm -f ${TARNWICK_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${TARNWICK_DIST_DIR}/${TARNWICK_WINDOWS_ARCH}
            ${CMAKE_COMMAND} -E tar cf ${TARNWICK_RELEASE_ZIP} --format=zip Tarnwick.dll
    COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${plugin_list_template} -DZIP=${TARNWICK_RELEASE_ZIP}
            -DOUTPUT=${TARNWICK_PLUGIN_LIST} -DTARNWICK_VERSION=${TARNWICK_VERSION}
            -DTARNWICK_ZIP_URL=${TARNWICK_DOWNLOAD_URL}/${release_zip_name}
            -DTARNWICK_HOMEPAGE=${TARNWICK_HOMEPAGE}
            -P ${PROJECT_SOURCE_DIR}/cmake/plugin_list_entry.cmake
    DEPENDS Tarnwick ${plugin_list_template} ${PROJECT_SOURCE_DIR}/cmake/plugin_list_entry.cmake
    COMMENT "Packing dist/${release_zip_name} and its plugin list entry"
    VERBATIM)
add_custom_target(release ALL DEPENDS ${TARNWICK_RELEASE_ZIP} ${TARNWICK_PLUGIN_LIST})
