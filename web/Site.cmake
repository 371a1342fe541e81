# SPDX-License-Identifier: GPL-3.0-or-later
# Finishes the web site once its files are in place (cmake -P, from
# web/CMakeLists.txt): names the site's version after its contents, writes
# the page and the service worker with it, puts a gzip and a brotli copy
# beside each file for servers that serve them, and packs the site for
# teachers.
#
#   -DSITE=<site folder> -DSOURCE=<web folder> -DZIP=<zip to write>

file(GLOB_RECURSE payload RELATIVE ${SITE} ${SITE}/kavrel.* ${SITE}/fonts/*.ttf ${SITE}/icons/* ${SITE}/manifest.webmanifest)
list(FILTER payload EXCLUDE REGEX "\\.(gz|br)$")
list(SORT payload)
set(digests "")
foreach(name IN LISTS payload ITEMS ../index.html ../sw.js)
    if(name MATCHES "^\\.\\./")
        string(SUBSTRING "${name}" 3 -1 name)
        file(SHA256 ${SOURCE}/${name} digest)
    else()
        file(SHA256 ${SITE}/${name} digest)
    endif()
    string(APPEND digests "${digest} ${name}\n")
endforeach()
string(SHA256 VERSION "${digests}")
string(SUBSTRING ${VERSION} 0 16 VERSION)

# What the browser keeps: the page and everything it asks for, the program
# and its fonts with the version in their addresses. The pictures for a
# home screen are not among them: a browser fetches them only when the
# page is put on one, and every first visit would fetch them for nothing.
set(kept "'./'" "'index.html'")
foreach(name IN LISTS payload)
    if(name MATCHES "^icons/.*\\.png$")
        continue()
    elseif(name MATCHES "^(kavrel\\.(js|wasm)|fonts/.*)$")
        list(APPEND kept "'${name}?v=${VERSION}'")
    else()
        list(APPEND kept "'${name}'")
    endif()
endforeach()
list(JOIN kept ", " FILES)
configure_file(${SOURCE}/index.html ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/sw.js ${SITE}/sw.js @ONLY)

file(GLOB_RECURSE served ${SITE}/*)
list(FILTER served EXCLUDE REGEX "\\.(gz|br)$")
foreach(path IN LISTS served)
    execute_process(COMMAND gzip -9 -n -c ${path} OUTPUT_FILE ${path}.gz COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND brotli -q 11 -f -o ${path}.br ${path} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

get_filename_component(parent ${SITE} DIRECTORY)
get_filename_component(folder ${SITE} NAME)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${folder}
                WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Site version ${VERSION}; ${ZIP}")
