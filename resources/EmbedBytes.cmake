# Shared by the scripts that embed files in the binaries
# (EmbedResources.cmake, EmbedFonts.cmake): a file's bytes as the body of a
# C string literal, every byte as an escape, 64 bytes to a line of adjacent
# literals, and the file's size.
function(vrels_bytes_as_literal file out_literal out_size)
  file(SIZE "${file}" size)
  file(READ "${file}" hex HEX)
  string(REPEAT "." 128 line)
  string(REGEX REPLACE "(${line})" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
  string(REGEX REPLACE "\n$" "" escaped "${escaped}")
  string(REPLACE "\n" "\"\n    \"" escaped "${escaped}")
  set(${out_literal} "${escaped}" PARENT_SCOPE)
  set(${out_size} "${size}" PARENT_SCOPE)
endfunction()
