# The layer check as a step of the build: every target of the project waits for it, so a file that
# includes a header of a library its target does not link fails `cmake --build` before anything is
# compiled. The check reads the targets, their folders, sources and direct links from a file written
# here at configure time (scripts/check_layers.py says what it refuses).

# Every build-system target defined in <dir> and the folders below it.
function(kq_targets_below dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(children DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(child ${children})
        kq_targets_below(${child} below)
        list(APPEND targets ${below})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# kq_layer_check(): call once, at the end of the top-level CMakeLists.txt.
function(kq_layer_check)
    kq_targets_below(${PROJECT_SOURCE_DIR} targets)
    set(checked)
    set(lines "")
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$")
            continue()
        endif()
        get_target_property(dir ${target} SOURCE_DIR)
        get_target_property(links ${target} LINK_LIBRARIES)
        get_target_property(sources ${target} SOURCES)
        if(NOT links)
            set(links "")
        endif()
        set(absolute)
        foreach(source ${sources})
            get_filename_component(source ${source} ABSOLUTE BASE_DIR ${dir})
            list(APPEND absolute ${source})
        endforeach()
        # One line a target: name, type, folder, direct links, sources; fields apart by '|'.
        string(APPEND lines "${target}|${type}|${dir}|${links}|${absolute}\n")
        list(APPEND checked ${target})
    endforeach()
    set(graph ${PROJECT_BINARY_DIR}/layers/targets.txt)
    file(WRITE ${graph}.new "${lines}")
    file(COPY_FILE ${graph}.new ${graph} ONLY_IF_DIFFERENT)

    # The check runs again when a source, a header, a resource script or the script changes.
    set(files)
    foreach(folder platform res foundation ports protocol sensor controls chart ethernet pages app
                   tools tests bench)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h
             ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.c
             ${PROJECT_SOURCE_DIR}/${folder}/*.rc)
        list(APPEND files ${found})
    endforeach()
    set(stamp ${PROJECT_BINARY_DIR}/layers/checked.stamp)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/scripts/check_layers.py
                ${PROJECT_BINARY_DIR}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${PROJECT_SOURCE_DIR}/scripts/check_layers.py ${graph} ${files}
        COMMENT "Checking that every include follows the libraries' link order"
        VERBATIM)
    add_custom_target(kq_check_layers DEPENDS ${stamp})
    foreach(target ${checked})
        add_dependencies(${target} kq_check_layers)
    endforeach()
endfunction()
