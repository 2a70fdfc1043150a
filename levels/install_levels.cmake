# Installs levels.ini and every level file of the program folder with
# make_levels, which keeps an installed file changed since it wrote it.
file(GLOB files "${KORVO_LEVELS_FROM}/*.lvl")
list(PREPEND files "${KORVO_LEVELS_FROM}/levels.ini")
message(STATUS "Installing the levels: $ENV{DESTDIR}${KORVO_LEVELS_TO}")
execute_process(COMMAND "${KORVO_MAKE_LEVELS}" --install "$ENV{DESTDIR}${KORVO_LEVELS_TO}" ${files} COMMAND_ERROR_IS_FATAL ANY)
foreach(file IN LISTS files ITEMS .shipped)
  cmake_path(GET file FILENAME name)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${KORVO_LEVELS_TO}/${name}")
endforeach()
