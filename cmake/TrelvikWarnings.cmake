# One place for the warning flags and the sanitizer switch of every target.
add_library(trelvik_warnings INTERFACE)
add_library(trelvik::warnings ALIAS trelvik_warnings)
target_compile_options(trelvik_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)

if(TRELVIK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
