# Each subsystem builds its portable sources into vallora_core_<name> and its
# Win32 sources into vallora_win32_<name>; vallora_core and vallora_win32 gather
# them. Keeping one library per subsystem lets a half-finished subsystem break
# only the targets that use it.
set_property(GLOBAL PROPERTY VALLORA_CORE_MODULES "")
set_property(GLOBAL PROPERTY VALLORA_WIN32_MODULES "")

# vallora_core_module(<name> SOURCES ... [DEPENDS <other modules>])
function(vallora_core_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(vallora_core_${name} STATIC ${ARG_SOURCES})
    target_include_directories(vallora_core_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    foreach(dep ${ARG_DEPENDS})
        target_link_libraries(vallora_core_${name} PUBLIC vallora_core_${dep})
    endforeach()
    set_property(GLOBAL APPEND PROPERTY VALLORA_CORE_MODULES vallora_core_${name})
endfunction()

# vallora_win32_module(<name> SOURCES ... [DEPENDS <core or win32 targets>] [LIBS <system libs>])
function(vallora_win32_module name)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LIBS" ${ARGN})
    add_library(vallora_win32_${name} STATIC ${ARG_SOURCES})
    target_include_directories(vallora_win32_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(vallora_win32_${name} PUBLIC ${ARG_DEPENDS} ${ARG_LIBS})
    set_property(GLOBAL APPEND PROPERTY VALLORA_WIN32_MODULES vallora_win32_${name})
endfunction()

function(vallora_finish_libraries)
    get_property(core GLOBAL PROPERTY VALLORA_CORE_MODULES)
    add_library(vallora_core INTERFACE)
    target_link_libraries(vallora_core INTERFACE ${core})
    if(WIN32)
        get_property(win GLOBAL PROPERTY VALLORA_WIN32_MODULES)
        add_library(vallora_win32 INTERFACE)
        target_link_libraries(vallora_win32 INTERFACE ${win} vallora_core)
    endif()
endfunction()

# vallora_test(<name> SOURCES ... LIBS ...): one GoogleTest executable, one CTest
# entry. On Windows CTest runs it through the Wine emulator of the toolchain.
function(vallora_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        VALLORA_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

# The install tree: the folder an administrator copies to a Windows PC.
set(VALLORA_INSTALL_DIR ${CMAKE_BINARY_DIR}/Vallora)

# vallora_program(<target>): puts a deliverable program into the install tree.
function(vallora_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VALLORA_INSTALL_DIR})
endfunction()

# vallora_subsystem(<name> [DEPENDS <core module names>] [WIN32_DEPENDS <targets>]):
# the usual subsystem folder. Portable sources are the .cpp files without the
# _win32 suffix; the Win32 part is the *_win32.cpp files. Files that hold a
# program's entry point (*_main.cpp, *_main_win32.cpp) are left out.
function(vallora_subsystem name)
    cmake_parse_arguments(ARG "" "" "DEPENDS;WIN32_DEPENDS" ${ARGN})
    file(GLOB all_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    set(core_sources "")
    set(win_sources "")
    foreach(src ${all_sources})
        if(src MATCHES "_main(_win32)?\\.cpp$")
            continue()
        elseif(src MATCHES "_win32\\.cpp$")
            list(APPEND win_sources ${src})
        else()
            list(APPEND core_sources ${src})
        endif()
    endforeach()
    if(core_sources)
        vallora_core_module(${name} SOURCES ${core_sources} DEPENDS ${ARG_DEPENDS})
    else()
        add_library(vallora_core_${name} INTERFACE)
        target_include_directories(vallora_core_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
        foreach(dep ${ARG_DEPENDS})
            target_link_libraries(vallora_core_${name} INTERFACE vallora_core_${dep})
        endforeach()
    endif()
    if(WIN32)
        if(win_sources)
            vallora_win32_module(${name} SOURCES ${win_sources}
                DEPENDS vallora_core_${name} ${ARG_WIN32_DEPENDS})
        else()
            add_library(vallora_win32_${name} INTERFACE)
            target_link_libraries(vallora_win32_${name} INTERFACE vallora_core_${name} ${ARG_WIN32_DEPENDS})
        endif()
    endif()
endfunction()
