# The Windows Installer package: Vallora-<version>-x64.msi beside the release
# zip, built with wixl from installer/Vallora.wxs over the folder the release
# target packs. Build it with
#   cmake --build build/windows --target msi
#
# Like ReleasePackage.cmake this file has two roles: included from the top
# CMakeLists.txt it defines the target `msi`; run by that target with
# `cmake -P` it checks the WiX source against the staged folder and builds.

if(CMAKE_SCRIPT_MODE_FILE)
    # Script mode: WIXL, MSIBUILD, WXS_FILE, STAGE_DIR, VERSION and MSI_FILE are given with -D.
    foreach(required WIXL MSIBUILD WXS_FILE STAGE_DIR VERSION MSI_FILE)
        if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "" OR "${${required}}" MATCHES "-NOTFOUND$")
            message(FATAL_ERROR "InstallerPackage: ${required} is not set "
                                "(wixl and msibuild come with scripts/install-deps.sh)")
        endif()
    endforeach()

    # A file of the release folder that the WiX source does not name would be
    # missing from installed PCs only; wixl itself stops on the reverse.
    file(READ ${WXS_FILE} wxs)
    file(GLOB_RECURSE staged LIST_DIRECTORIES false RELATIVE ${STAGE_DIR} ${STAGE_DIR}/*)
    if(NOT staged)
        message(FATAL_ERROR "InstallerPackage: ${STAGE_DIR} is empty; the release target fills it")
    endif()
    foreach(entry IN LISTS staged)
        string(FIND "${wxs}" "Source=\"$(var.StageDir)/${entry}\"" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "InstallerPackage: ${entry} is in the release folder but not in ${WXS_FILE}")
        endif()
    endforeach()

    set(built ${MSI_FILE}.part)
    file(REMOVE ${built} ${MSI_FILE})
    # wixl takes the architecture from -a only (it ignores Package/@Platform)
    # and wants relative source paths.
    execute_process(
        COMMAND ${WIXL} -a x64 -D Version=${VERSION} -D StageDir=. -o ${built} ${WXS_FILE}
        WORKING_DIRECTORY ${STAGE_DIR}
        RESULT_VARIABLE wixl_result)
    if(NOT wixl_result EQUAL 0)
        message(FATAL_ERROR "InstallerPackage: wixl could not build ${MSI_FILE}")
    endif()
    # The read-only attribute (1) beside wixl's "vital" (512) for the sample
    # desktops, which wixl cannot set from the WiX source.
    execute_process(
        COMMAND ${MSIBUILD} ${built} -q
                "UPDATE `File` SET `Attributes` = 513 WHERE `Component_` = 'SampleDesktops'"
        RESULT_VARIABLE marked)
    if(NOT marked EQUAL 0)
        message(FATAL_ERROR "InstallerPackage: could not mark the sample desktops read-only")
    endif()
    file(RENAME ${built} ${MSI_FILE})
    file(SIZE ${MSI_FILE} size)
    message(STATUS "Installer package: ${MSI_FILE} (${size} bytes)")
    return()
endif()

# 64-bit builds only: the package installs into the 64-bit Program Files.
if(NOT WIN32 OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    return()
endif()

find_program(VALLORA_WIXL wixl)
find_program(VALLORA_MSIBUILD msibuild)
set(VALLORA_RELEASE_MSI ${CMAKE_BINARY_DIR}/Vallora-${VALLORA_RELEASE_VERSION}-x64.msi)

add_custom_target(msi
    COMMAND ${CMAKE_COMMAND} -DWIXL=${VALLORA_WIXL} -DMSIBUILD=${VALLORA_MSIBUILD}
            -DWXS_FILE=${CMAKE_SOURCE_DIR}/installer/Vallora.wxs
            -DSTAGE_DIR=${VALLORA_RELEASE_STAGE}/Vallora -DVERSION=${VALLORA_RELEASE_VERSION}
            -DMSI_FILE=${VALLORA_RELEASE_MSI}
            -P ${CMAKE_CURRENT_LIST_FILE}
    COMMENT "Building the Windows Installer package ${VALLORA_RELEASE_MSI}"
    VERBATIM)
add_dependencies(msi release)
