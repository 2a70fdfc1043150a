# The documented uninstall over a fresh install: everything goes but what the player changed or
# made, which it names. -D BUILD and PREFIX.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix "${PREFIX}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(program "${PREFIX}/lib/korvo")
file(WRITE "${program}/levels/level3.lvl" changed)
file(WRITE "${program}/levels/level11.lvl" own)
file(WRITE "${program}/data/hal.hal" hall)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target uninstall
  OUTPUT_VARIABLE out ERROR_VARIABLE notes COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE left RELATIVE "${PREFIX}" "${PREFIX}/*")
if(NOT left STREQUAL "lib/korvo/data/hal.hal;lib/korvo/levels/level11.lvl;lib/korvo/levels/level3.lvl")
  message(SEND_ERROR "left after the uninstall: ${left}")
endif()
string(REPLACE "${program}/" "" notes "${notes}")
if(NOT notes STREQUAL "make_levels: kept levels/level11.lvl: not written by the install
make_levels: kept levels/level3.lvl: changed since the install wrote it\n" OR NOT out MATCHES "Kept: [^\n]*/data/hal.hal: the player's")
  message(SEND_ERROR "the uninstall said: ${notes}${out}")
endif()
