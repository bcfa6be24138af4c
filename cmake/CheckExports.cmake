# Checks a plug-in binary's export and import tables:
#   cmake -DBINARY=path -DOBJDUMP=objdump-or-nm -DKIND=pe|elf -P CheckExports.cmake
# The binary must export exactly VSTPluginMain and main, undecorated; a
# Windows DLL may import only Windows' own DLLs.
execute_process(COMMAND ${OBJDUMP} ${ARGS} ${BINARY} OUTPUT_VARIABLE table RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot read ${BINARY}")
endif()

# Square brackets would confuse CMake's list splitting.
string(REPLACE "[" "<" table "${table}")
string(REPLACE "]" ">" table "${table}")

if(KIND STREQUAL "pe")
  # The name table lists "<   n> name" lines after "<Ordinal/Name Pointer> Table".
  string(REGEX MATCH "<Ordinal/Name Pointer> Table\n(([ \t]+<[ 0-9]+> [^\n]+\n)*)" names "${table}")
  string(REGEX MATCHALL "> [^\n]+" exports "${CMAKE_MATCH_1}")
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${table}")
  # Windows' file names know no case; the import libraries spell them
  # either way (comdlg32.dll, KERNEL32.dll).
  set(allowed KERNEL32.DLL USER32.DLL GDI32.DLL COMDLG32.DLL SHELL32.DLL WININET.DLL MSVCRT.DLL
              ADVAPI32.DLL OLE32.DLL COMCTL32.DLL MSIMG32.DLL)
  foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(STRIP "${dll}" dll)
    string(TOUPPER "${dll}" dll)
    list(FIND allowed "${dll}" found)
    if(found EQUAL -1)
      message(FATAL_ERROR "${BINARY} imports ${dll}, which is not a Windows system DLL")
    endif()
  endforeach()
else()
  string(REGEX MATCHALL " T [^\n]+" exports "${table}")
  string(REGEX MATCHALL " [BDRVW] [^\n]+" others "${table}")
  if(others)
    message(FATAL_ERROR "${BINARY} exports more than its entry points: ${others}")
  endif()
endif()

set(names "")
foreach(entry IN LISTS exports)
  string(REGEX REPLACE "^(>| T) " "" entry "${entry}")
  string(STRIP "${entry}" entry)
  list(APPEND names "${entry}")
endforeach()
list(SORT names)
if(NOT names STREQUAL "VSTPluginMain;main")
  message(FATAL_ERROR "${BINARY} exports [${names}], expected exactly VSTPluginMain and main")
endif()
message(STATUS "${BINARY}: exports ${names}")
