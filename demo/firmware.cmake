# The firmware parts of the demo workspace: a synthetic base firmware in MASTER (made only when
# missing, so that a real one put there stays) and the stand-in flashing program.
add_custom_target(demo_firmware
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZZ_DEMO_DIR}/MASTER
  COMMAND $<TARGET_FILE:make_demo_firmware> --if-missing ${ZZ_DEMO_DIR}/MASTER/sx48802.sx
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:zoruvodeza_standin> ${ZZ_DEMO_DIR}/ZoruvOdeza.exe
  COMMENT "Demo base firmware and stand-in flashing program in ${ZZ_DEMO_DIR}"
  VERBATIM)
add_dependencies(demo_firmware make_demo_firmware zoruvodeza_standin)
add_dependencies(demo_workspace demo_firmware)
