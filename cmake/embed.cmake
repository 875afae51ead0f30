# orv_embed(OUTPUT_CPP INPUT_FILE SYMBOL): generates a C++ file that defines
#   extern const unsigned char SYMBOL[]; extern const unsigned long SYMBOL_size;
# with the bytes of INPUT_FILE, regenerated when the file changes.
function(orv_embed output input symbol)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol} -P ${CMAKE_SOURCE_DIR}/cmake/embed_file.cmake
    DEPENDS ${input} ${CMAKE_SOURCE_DIR}/cmake/embed_file.cmake
    COMMENT "Embedding ${input}")
endfunction()
