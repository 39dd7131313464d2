# The layer check as a step of the build: once every target of the project is built, it reads the
# dependency lists the compiler wrote for each object and fails `cmake --build` when an object read
# a file of a library its target does not link. The check reads the targets, their folders,
# sources and direct links from a file written here at configure time (scripts/check_layers.py
# says what it refuses).

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

    # The check runs again when a target is built again (an object or a resource script changed),
    # a header compiled alone is compiled again, or the targets or the script change. It reads the dependency lists, so it comes last.
    set(stamp ${PROJECT_BINARY_DIR}/layers/checked.stamp)
    set(alone)
    foreach(headers kq_headers_alone kq_test_headers_alone)
        if(TARGET ${headers})
            list(APPEND alone $<TARGET_OBJECTS:${headers}>)
        endif()
    endforeach()
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/scripts/check_layers.py
                ${PROJECT_BINARY_DIR}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${PROJECT_SOURCE_DIR}/scripts/check_layers.py ${graph} ${checked} ${alone}
        COMMENT "Checking that what every target read follows the libraries' link order"
        VERBATIM)
    add_custom_target(kq_check_layers ALL DEPENDS ${stamp})
endfunction()
