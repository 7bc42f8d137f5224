# Run by CPack on the staged files before it packs them: strips every ELF file as Debian does,
# with the compiler's version comments (.comment, .note) that no program needs. CPack's own
# CPACK_STRIP_FILES reaches only install(TARGETS), not the renamed stand-in flashing program.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS staged)
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND "${CPACK_ZZ_STRIP}" --remove-section=.comment --remove-section=.note "${file}"
      RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${CPACK_ZZ_STRIP} could not strip ${file}")
    endif()
  endif()
endforeach()
