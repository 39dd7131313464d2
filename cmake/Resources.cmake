# kq_resources(<target> SCRIPTS files... [INCLUDE_DIRS dirs...] [FUNCTION name])
#
# Compiles resource scripts with the project's resource compiler (tools/rc) into a static library
# <target>. The library's header <target>.h declares `const kq::ResourceBundle& <name>()`
# (default name: <target>_bundle; a qualified name such as app::Resources is allowed) that
# returns the compiled bundle for kq::InstallResources. The scripts are compiled again whenever
# a script, a file they include or a file they embed changes. A fault in a script fails the
# build with "file:line: message".
function(kq_resources target)
    cmake_parse_arguments(ARG "" "FUNCTION" "SCRIPTS;INCLUDE_DIRS" ${ARGN})
    if(NOT ARG_SCRIPTS)
        message(FATAL_ERROR "kq_resources(${target}): no SCRIPTS given")
    endif()
    if(NOT ARG_FUNCTION)
        set(ARG_FUNCTION ${target}_bundle)
    endif()

    set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_generated)
    set(source ${out_dir}/${target}.cpp)
    set(header ${out_dir}/${target}.h)
    set(depfile ${out_dir}/${target}.d)
    file(MAKE_DIRECTORY ${out_dir})

    set(scripts)
    foreach(script ${ARG_SCRIPTS})
        get_filename_component(script ${script} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND scripts ${script})
    endforeach()
    set(include_args)
    foreach(dir ${ARG_INCLUDE_DIRS})
        get_filename_component(dir ${dir} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND include_args -I ${dir})
    endforeach()

    # The compiler target is defined in tools/, which may come later; targets named in a custom
    # command are resolved when the build is generated.
    add_custom_command(
        OUTPUT ${source} ${header}
        COMMAND kq_rc_tool -o ${source} --header ${header} --depfile ${depfile}
                --function ${ARG_FUNCTION} ${include_args} ${scripts}
        DEPENDS kq_rc_tool ${scripts}
        DEPFILE ${depfile}
        COMMENT "Compiling the resource scripts of ${target}"
        VERBATIM)

    add_library(${target} STATIC ${source} ${header})
    target_include_directories(${target} PUBLIC ${out_dir})
    target_compile_options(${target} PRIVATE ${KQ_WARNINGS})
    target_link_libraries(${target} PUBLIC kq_base)
endfunction()
