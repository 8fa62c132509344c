# Writes the plugin list entry of one release zip, with the zip's SHA-256 as its id.
# usage: cmake -DTEMPLATE=... -DZIP=... -DOUTPUT=... -DTARNWICK_VERSION=...
#              -DTARNWICK_ZIP_URL=... -DTARNWICK_HOMEPAGE=... -P plugin_list_entry.cmake
file(SHA256 ${ZIP} TARNWICK_ZIP_SHA256)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
