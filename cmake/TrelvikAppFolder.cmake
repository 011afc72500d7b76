# Mirror what ships beside the program into the build's application folder, so that the program
# and trelvik-cli run straight from the build tree with the real dictionary.
set(_trelvik_copy_cmds)
foreach(dir data sound html)
    list(APPEND _trelvik_copy_cmds
        COMMAND ${CMAKE_COMMAND} -E copy_directory "${PROJECT_SOURCE_DIR}/${dir}" "${TRELVIK_APP_DIR}/${dir}")
endforeach()
add_custom_target(trelvik_app_folder ALL ${_trelvik_copy_cmds}
    COMMENT "Copying the dictionary, sounds and help page next to the program")
