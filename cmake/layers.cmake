# One static library per layer. Sources name each other's headers from the
# top of the tree ("engine/chessgame.h"); a layer links only the layers below
# it, so code that reaches upwards does not link (scripts/check-layers.sh
# catches the includes themselves).
function(quillon_add_layer name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_features(${name} PUBLIC cxx_std_20)
endfunction()
