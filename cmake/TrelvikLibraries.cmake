# trelvik_add_library(<name> SOURCES <files...> [PUBLIC <targets...>] [PRIVATE <targets...>])
# One library of a layer: trelvik_<name>, known as trelvik::<name>, built from the folder's include/ and src/
# and exposing only its own include folder, so that an include names the library it comes from.
function(trelvik_add_library name)
    cmake_parse_arguments(L "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
    add_library(trelvik_${name} STATIC ${L_SOURCES})
    add_library(trelvik::${name} ALIAS trelvik_${name})
    target_include_directories(trelvik_${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
    target_link_libraries(trelvik_${name} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE} trelvik::warnings)
    set_target_properties(trelvik_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()
