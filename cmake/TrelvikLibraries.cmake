# trelvik_add_library(<name> [UNITS <names...>] [HEADERS <names...>] [SOURCES <files...>]
#                     [PUBLIC <targets...>] [PRIVATE <targets...>])
# One library of a layer: trelvik_<name>, known as trelvik::<name>. Each unit is a header include/<name>/U.h
# with its source src/U.cpp, each header-only name an include/<name>/H.h; SOURCES adds other files (generated
# ones). The library exposes only its own include folder, so that an include names the library it comes from.
function(trelvik_add_library name)
    cmake_parse_arguments(L "" "" "UNITS;HEADERS;SOURCES;PUBLIC;PRIVATE" ${ARGN})
    set(files ${L_SOURCES})
    foreach(unit IN LISTS L_UNITS)
        list(APPEND files include/${name}/${unit}.h src/${unit}.cpp)
    endforeach()
    foreach(header IN LISTS L_HEADERS)
        list(APPEND files include/${name}/${header}.h)
    endforeach()
    add_library(trelvik_${name} STATIC ${files})
    add_library(trelvik::${name} ALIAS trelvik_${name})
    target_include_directories(trelvik_${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
    target_link_libraries(trelvik_${name} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE} trelvik::warnings)
    set_target_properties(trelvik_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# trelvik_system_library(<variable> <archive names...> SHARED <shared names...>)
# Finds a system library the core links: its static archive when TRELVIK_LINK_STATIC is on and one is
# installed, else the shared library. Start-up is much of the programs' speed (a script calls trelvik-cli once a
# word, a user opens the window to look up one word), and every shared library costs the dynamic loader a
# search, a mapping and its relocations.
function(trelvik_system_library variable)
    cmake_parse_arguments(L "" "" "SHARED" ${ARGN})
    # Archive and shared library are cached apart, so that turning the option off or on takes effect.
    if(TRELVIK_LINK_STATIC AND NOT TRELVIK_SANITIZE)
        find_library(${variable}_ARCHIVE NAMES ${L_UNPARSED_ARGUMENTS})
        if(${variable}_ARCHIVE)
            set(${variable} "${${variable}_ARCHIVE}" PARENT_SCOPE)
            return()
        endif()
    endif()
    find_library(${variable}_SHARED NAMES ${L_SHARED} REQUIRED)
    set(${variable} "${${variable}_SHARED}" PARENT_SCOPE)
endfunction()
