# One render through vrels-host, for the agreement between targets.
#   HOST, PLUGIN, INPUT, OUTPUT, OPTIONS: the render (OPTIONS a ;-list)
#   EMULATOR: runs HOST (wine for the Windows builds), may be empty
#   WRITE_INPUT: first write the demo phrase to INPUT with HOST
#   REFERENCE, COMPARE_HOST: compare OUTPUT with REFERENCE using the native
#     host, within the bound every target keeps (1e-7)
if(WRITE_INPUT)
  execute_process(COMMAND ${HOST} phrase ${INPUT} --seconds 4 RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "writing the phrase failed: ${status}")
  endif()
endif()
if(NOT EXISTS "${INPUT}")
  message(FATAL_ERROR "${INPUT} is missing: test the linux preset first (scripts/test-all.sh does)")
endif()
execute_process(COMMAND ${EMULATOR} ${HOST} render ${PLUGIN} ${INPUT} ${OUTPUT} ${OPTIONS}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${out}${err}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the render failed: ${status}")
endif()
if(REFERENCE)
  if(NOT EXISTS "${COMPARE_HOST}" OR NOT EXISTS "${REFERENCE}")
    message(FATAL_ERROR "the native reference render is missing: test the linux preset first")
  endif()
  execute_process(COMMAND ${COMPARE_HOST} compare ${REFERENCE} ${OUTPUT} --tolerance 1e-7
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  message(STATUS "against the native render: ${out}${err}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the render differs from the native one")
  endif()
endif()
