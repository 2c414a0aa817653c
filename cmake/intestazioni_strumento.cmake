# The tool's two header-only libraries, Debian's CLI11 and nlohmann-json,
# behind one interface target, gara_intestazioni_strumento.
#
# Natively they come through their own CMake packages. The cross build
# cannot add /usr/include itself (every other header of the host would
# then shadow MinGW's own), so it sees a folder of the build that holds
# two links only, CLI/ and nlohmann/, to the folders Debian installs.
add_library(gara_intestazioni_strumento INTERFACE)
if(CMAKE_CROSSCOMPILING)
  set(GARA_INTESTAZIONI_DEBIAN /usr/include CACHE PATH
      "Folder holding Debian's CLI/ (libcli11-dev) and nlohmann/ (nlohmann-json3-dev)")
  set(cartella_collegamenti ${CMAKE_CURRENT_BINARY_DIR}/intestazioni_strumento)
  file(MAKE_DIRECTORY ${cartella_collegamenti})
  foreach(intestazione CLI/CLI.hpp nlohmann/json.hpp)
    if(NOT EXISTS ${GARA_INTESTAZIONI_DEBIAN}/${intestazione})
      message(FATAL_ERROR "${GARA_INTESTAZIONI_DEBIAN}/${intestazione} missing "
                          "(apt-get install libcli11-dev nlohmann-json3-dev)")
    endif()
    get_filename_component(cartella ${intestazione} DIRECTORY)
    file(CREATE_LINK ${GARA_INTESTAZIONI_DEBIAN}/${cartella} ${cartella_collegamenti}/${cartella}
         SYMBOLIC)
  endforeach()
  target_include_directories(gara_intestazioni_strumento SYSTEM INTERFACE ${cartella_collegamenti})
else()
  find_package(CLI11 REQUIRED)
  find_package(nlohmann_json REQUIRED)
  target_link_libraries(gara_intestazioni_strumento INTERFACE CLI11::CLI11
                                                              nlohmann_json::nlohmann_json)
endif()
