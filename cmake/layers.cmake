# SPDX-License-Identifier: MIT
# Keeps the layers apart: a source may include headers only from its own folder and from the
# folders of the project libraries that the targets of its folder link, directly or through
# others. The allowed folders come from the link graph itself, so a new folder is checked as
# soon as it exists; every source and header below a folder, at any depth, counts as the folder's.
# The layers table of README.md is held to the same: a folder it lists may include only folders
# of lower layers than its own, so the table and the links cannot drift apart. Called once every
# target is defined; a breach stops configuring.

# The targets `target` links among the project's (voltiva_*), itself included, followed down.
function(voltiva_reachable target out)
    set(seen ${target})
    set(queue ${target})
    while(queue)
        list(POP_FRONT queue current)
        get_target_property(links ${current} LINK_LIBRARIES)
        get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
        foreach(link IN LISTS links interface)
            if(link MATCHES "^voltiva_" AND TARGET ${link} AND NOT link IN_LIST seen)
                list(APPEND seen ${link})
                list(APPEND queue ${link})
            endif()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The folder below the project root that a target is defined in.
function(voltiva_folder target out)
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${dir})
    set(${out} ${folder} PARENT_SCOPE)
endfunction()

function(voltiva_check_layers)
    # The folders that hold a project library, and for every folder what its targets reach.
    set(libraryFolders "")
    set(checked "")
    get_property(dirs DIRECTORY ${PROJECT_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
    foreach(dir IN LISTS dirs)
        get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
        file(RELATIVE_PATH own ${PROJECT_SOURCE_DIR} ${dir})
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "UTILITY" OR type STREQUAL "INTERFACE_LIBRARY")
                continue()
            endif()
            if(target MATCHES "^voltiva_" AND type MATCHES "LIBRARY$")
                list(APPEND libraryFolders ${own})
            endif()
            voltiva_reachable(${target} reachable)
            foreach(reached IN LISTS reachable)
                voltiva_folder(${reached} folder)
                list(APPEND allowed_${own} ${folder})
            endforeach()
            list(APPEND checked ${own})
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES checked)

    # "| 4 | `tools/` (`voltiva_tools`) | ...": the layer of each folder the table lists.
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
    file(STRINGS ${PROJECT_SOURCE_DIR}/README.md rows REGEX "^\\| [0-9]+ \\| `[a-z_]+/`")
    foreach(row IN LISTS rows)
        string(REGEX MATCH "^\\| ([0-9]+) \\| `([a-z_]+)/`" _ "${row}")
        set(layer_${CMAKE_MATCH_2} ${CMAKE_MATCH_1})
    endforeach()

    foreach(own IN LISTS checked)
        file(GLOB_RECURSE sources ${PROJECT_SOURCE_DIR}/${own}/*.cpp ${PROJECT_SOURCE_DIR}/${own}/*.h)
        foreach(source IN LISTS sources)
            file(STRINGS ${source} includes REGEX "^#include \"[a-z_]+/")
            foreach(line IN LISTS includes)
                string(REGEX MATCH "\"([a-z_]+)/" _ "${line}")
                set(folder ${CMAKE_MATCH_1})
                if(folder IN_LIST libraryFolders AND NOT folder IN_LIST allowed_${own})
                    file(RELATIVE_PATH file ${PROJECT_SOURCE_DIR} ${source})
                    message(FATAL_ERROR "${file}: ${line} reaches ${folder}/, which nothing in ${own}/ links")
                endif()
                if(DEFINED layer_${own} AND DEFINED layer_${folder} AND NOT folder STREQUAL own
                   AND NOT layer_${folder} LESS layer_${own})
                    file(RELATIVE_PATH file ${PROJECT_SOURCE_DIR} ${source})
                    message(FATAL_ERROR "${file}: ${line} reaches ${folder}/ (layer ${layer_${folder}} in README.md), "
                                        "not below ${own}/ (layer ${layer_${own}})")
                endif()
            endforeach()
        endforeach()
    endforeach()
endfunction()
