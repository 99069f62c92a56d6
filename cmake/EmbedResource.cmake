# Builds a file into a library as a byte array behind a function
#   std::span<const uint8_t> lumora::FUNCTION();
# Included, it defines lumora_embed(target input function); run with -P it
# writes the generated source (INPUT, OUTPUT, FUNCTION).
if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR size "${length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # Twenty bytes a line keeps the file readable and diffable.
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){20})" "\\1\n    " bytes "${bytes}")
  get_filename_component(name "${INPUT}" NAME)
  file(WRITE "${OUTPUT}.tmp"
    "// Generated at build time from ${name}; edit the file, not this.\n"
    "#include <cstdint>\n#include <span>\n\nnamespace lumora {\n\nnamespace {\n"
    "const uint8_t kBytes[${size}] = {\n    ${bytes}\n};\n}  // namespace\n\n"
    "std::span<const uint8_t> ${FUNCTION}() {\n  return kBytes;\n}\n\n}  // namespace lumora\n")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

set(LUMORA_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(lumora_embed target input function)
  get_filename_component(input "${input}" ABSOLUTE)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded/${function}.cpp")
  add_custom_command(OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DFUNCTION=${function}
      -P ${LUMORA_EMBED_SCRIPT}
    DEPENDS "${input}" ${LUMORA_EMBED_SCRIPT}
    COMMENT "Embedding ${function}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
endfunction()
