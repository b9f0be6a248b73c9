# Copies the data folders (Language, Help, Icons, Desktops) into the install tree
# beside the programs on every build.
if(WIN32)
    add_custom_target(vallora_data ALL
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VALLORA_INSTALL_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${VALLORA_INSTALL_DIR}
        COMMENT "Assembling the install tree in ${VALLORA_INSTALL_DIR}")
endif()
