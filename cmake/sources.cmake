# SPDX-License-Identifier: MIT
# A library's sources are the files of its folder and of the folders below it, so a new module or
# tool is its files and nothing to list; CONFIGURE_DEPENDS has the build look again for new ones.
function(voltiva_sources out)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(SORT files)
    set(${out} ${files} PARENT_SCOPE)
endfunction()
