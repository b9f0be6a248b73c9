# The release package: Vallora-<version>.zip beside the install tree, holding
# one folder "Vallora" with the programs, the data folders and the
# install text. Build it with
#   cmake --build build/windows --target release
#
# This file has two roles. Included from the top CMakeLists.txt it defines the
# target `release`; run by that target with `cmake -P` it assembles and packs
# the folder. Only the files named below go into the package, so whatever a
# trial run left in the install tree (preview pages, generated icons) stays
# out of it.

set(VALLORA_RELEASE_PROGRAMS Vallora.exe ValloraRun.exe ValloraPage.exe ValloraDialogProbe.exe
    vallora-tool.exe)
set(VALLORA_RELEASE_FOLDERS Language Help Icons Desktops)
set(VALLORA_RELEASE_TEXTS INSTALL.txt)

if(CMAKE_SCRIPT_MODE_FILE)
    # Script mode: INSTALL_DIR, STAGE_DIR and ZIP_FILE are given with -D.
    foreach(required INSTALL_DIR STAGE_DIR ZIP_FILE)
        if(NOT DEFINED ${required})
            message(FATAL_ERROR "ReleasePackage: ${required} is not set")
        endif()
    endforeach()

    set(package ${STAGE_DIR}/Vallora)
    file(REMOVE_RECURSE ${STAGE_DIR})
    file(MAKE_DIRECTORY ${package})

    foreach(entry IN LISTS VALLORA_RELEASE_PROGRAMS VALLORA_RELEASE_TEXTS)
        if(NOT EXISTS ${INSTALL_DIR}/${entry} OR IS_DIRECTORY ${INSTALL_DIR}/${entry})
            message(FATAL_ERROR "ReleasePackage: ${INSTALL_DIR}/${entry} is missing")
        endif()
        file(COPY ${INSTALL_DIR}/${entry} DESTINATION ${package})
    endforeach()
    foreach(folder IN LISTS VALLORA_RELEASE_FOLDERS)
        file(GLOB files LIST_DIRECTORIES false ${INSTALL_DIR}/${folder}/*)
        # Repository housekeeping files (.gitattributes and the like) are not shipped.
        list(FILTER files EXCLUDE REGEX "/\\.[^/]*$")
        if(NOT files)
            message(FATAL_ERROR "ReleasePackage: ${INSTALL_DIR}/${folder} is missing or empty")
        endif()
        file(MAKE_DIRECTORY ${package}/${folder})
        file(COPY ${files} DESTINATION ${package}/${folder})
    endforeach()

    file(REMOVE ${ZIP_FILE})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP_FILE} --format=zip Vallora
        WORKING_DIRECTORY ${STAGE_DIR}
        RESULT_VARIABLE packed)
    if(NOT packed EQUAL 0)
        message(FATAL_ERROR "ReleasePackage: could not write ${ZIP_FILE}")
    endif()
    message(STATUS "Release package: ${ZIP_FILE}")
    return()
endif()

if(NOT WIN32)
    return()
endif()

# The version the programs report (their VERSIONINFO and splash text).
file(STRINGS ${CMAKE_SOURCE_DIR}/src/platform/version.h version_lines
     REGEX "^#define VALLORA_VERSION_(MAJOR|MINOR|REVISION) [0-9]+")
foreach(part MAJOR MINOR REVISION)
    set(version_${part} 0)
    foreach(line IN LISTS version_lines)
        if(line MATCHES "^#define VALLORA_VERSION_${part} ([0-9]+)")
            set(version_${part} ${CMAKE_MATCH_1})
        endif()
    endforeach()
endforeach()
set(VALLORA_RELEASE_VERSION ${version_MAJOR}.${version_MINOR}.${version_REVISION})
set(VALLORA_RELEASE_ZIP ${CMAKE_BINARY_DIR}/Vallora-${VALLORA_RELEASE_VERSION}.zip)
# The packed folder stays: the Windows Installer package is built from it.
set(VALLORA_RELEASE_STAGE ${CMAKE_BINARY_DIR}/release-stage)

add_custom_target(release
    COMMAND ${CMAKE_COMMAND} -DINSTALL_DIR=${VALLORA_INSTALL_DIR}
            -DSTAGE_DIR=${VALLORA_RELEASE_STAGE} -DZIP_FILE=${VALLORA_RELEASE_ZIP}
            -P ${CMAKE_CURRENT_LIST_FILE}
    COMMENT "Packing the install tree into ${VALLORA_RELEASE_ZIP}"
    VERBATIM)
foreach(program Vallora ValloraRun ValloraPage ValloraDialogProbe vallora-tool vallora_data)
    if(TARGET ${program})
        add_dependencies(release ${program})
    endif()
endforeach()
