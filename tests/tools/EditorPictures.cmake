# The editor's picture after a fixed render, with the defaults and with
# factory presets, each written by the plug-in itself (vrels-host render
# --editor-png) and compared with the committed reference of this
# platform's text rendering.
#   HOST, PLUGIN: vrels-host and the plug-in of the target
#   EMULATOR: runs HOST (wine for the Windows builds), may be empty
#   PRESET_DIR: the factory presets
#   NAMES: a ;-list of "Defaults" and preset names
#   EMULATED_NAMES: the shorter list used instead when 32-bit programs run
#     under qemu's emulator (slow; see scripts/emulation.sh), may be empty
#   OUTPUT: the folder the pictures are written to, kept for review
#   REFERENCE: the folder of the reference pictures
#   COMPARE: the comparer (editor_picture_compare, a native program)
#   UPDATE: copy the pictures over the references instead of comparing
#     (scripts/make-editor-references.sh)
if(EMULATED_NAMES AND EXISTS /proc/sys/fs/binfmt_misc/qemu-i386)
  file(STRINGS /proc/sys/fs/binfmt_misc/qemu-i386 handler LIMIT_COUNT 1)
  set(binfmt enabled)
  if(EXISTS /proc/sys/fs/binfmt_misc/status)
    file(STRINGS /proc/sys/fs/binfmt_misc/status binfmt LIMIT_COUNT 1)
  endif()
  if(handler STREQUAL "enabled" AND binfmt STREQUAL "enabled")
    set(NAMES "${EMULATED_NAMES}")
    message(STATUS "32-bit programs run emulated: ${NAMES} only")
  endif()
endif()
file(REMOVE_RECURSE "${OUTPUT}")
file(MAKE_DIRECTORY "${OUTPUT}")
if(UPDATE)
  file(MAKE_DIRECTORY "${REFERENCE}")
endif()
# One second of the demo phrase: the same input on every target.
set(input "${OUTPUT}/input.f32")
execute_process(COMMAND ${EMULATOR} ${HOST} phrase ${input} --seconds 1 RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "writing the phrase failed: ${status}")
endif()

set(failed "")
foreach(name IN LISTS NAMES)
  set(picture "${OUTPUT}/${name}.png")
  set(settings "")
  if(NOT name STREQUAL "Defaults")
    set(settings --preset "${PRESET_DIR}/${name}.txt")
  endif()
  execute_process(COMMAND ${EMULATOR} ${HOST} render ${PLUGIN} ${input} ${OUTPUT}/out.f32 ${settings}
                          --quiet --editor-png ${picture}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT EXISTS "${picture}")
    message(STATUS "${name}: the render failed (${status}): ${err}")
    list(APPEND failed "${name}")
    continue()
  endif()
  if(UPDATE)
    file(COPY_FILE "${picture}" "${REFERENCE}/${name}.png")
    message(STATUS "${REFERENCE}/${name}.png written")
    continue()
  endif()
  execute_process(COMMAND ${COMPARE} "${REFERENCE}/${name}.png" "${picture}" "${OUTPUT}/${name}-differences.png"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  message(STATUS "${out}")
  if(NOT status EQUAL 0)
    list(APPEND failed "${name}")
  endif()
endforeach()
file(REMOVE "${input}" "${OUTPUT}/out.f32")
if(failed)
  message(FATAL_ERROR "editor pictures that differ from their references: ${failed} (pictures in ${OUTPUT})")
endif()
