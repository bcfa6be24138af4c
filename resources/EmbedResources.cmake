# Writes a C++ file holding the bytes of every image the resource script
# names, and the table platform/posix/ResourcesPosix.cpp looks ids up in:
#   cmake -DSCRIPT=Vrels.rc -DOUTPUT=EmbeddedResources.cpp -P EmbedResources.cmake
# The output depends only on the script and the files (no dates or paths),
# so the same inputs always give the same file.
include(${CMAKE_CURRENT_LIST_DIR}/ResourceList.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/EmbedBytes.cmake)
vrels_read_resource_script("${SCRIPT}" resource)

set(text "// Generated from resources/Vrels.rc by resources/EmbedResources.cmake; do not edit.\n")
string(APPEND text "#include \"platform/Resources.h\"\n\nnamespace vrels {\n\nnamespace {\n")
set(table "")
list(LENGTH resource_IDS count)
foreach(id file IN ZIP_LISTS resource_IDS resource_FILES)
  vrels_bytes_as_literal("${file}" escaped size)
  get_filename_component(name "${file}" NAME)
  string(APPEND text "// ${name}, ${size} bytes\nconst unsigned char PNG_${id}[] =\n    \"${escaped}\";\n")
  string(APPEND table "    {${id}, PNG_${id}, ${size}},\n")
endforeach()
string(APPEND text "}  // namespace\n\nextern const EmbeddedResource EMBEDDED_PNG_RESOURCES[] = {\n${table}};\n")
string(APPEND text "extern const std::size_t EMBEDDED_PNG_RESOURCE_COUNT = ${count};\n\n}  // namespace vrels\n")

# Rewritten only when it changes, so that an unchanged image set compiles
# nothing again.
file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
