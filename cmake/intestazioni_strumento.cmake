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

# The HTTP server of `scenario anteprima`, behind gara_httplib. Natively,
# Debian's libcpp-httplib-dev: its header declares, its shared library
# implements, and pkg-config says with which options it was built. The
# cross build takes the library whole as a header (GARA_HTTPLIB_WINDOWS,
# a folder holding httplib.h, made by strumenti/httplib_windows.sh from
# Debian's source package of the same version), through a folder of one
# link as above.
add_library(gara_httplib INTERFACE)
# Off in the sanitizers' build: there GCC 12 takes the whole header's
# std::regex for a use of an uninitialised std::function, a false warning
# that -Werror would make an error.
option(GARA_HTTPLIB_INTERA "Natively, the HTTP server built in from the whole header when it is there" ON)
if(CMAKE_CROSSCOMPILING)
  set(GARA_HTTPLIB_WINDOWS ${PROJECT_SOURCE_DIR}/build/httplib_windows CACHE PATH
      "Folder holding the header-only httplib.h for the Windows build")
  if(NOT EXISTS ${GARA_HTTPLIB_WINDOWS}/httplib.h)
    message(FATAL_ERROR "${GARA_HTTPLIB_WINDOWS}/httplib.h missing "
                        "(bash strumenti/httplib_windows.sh)")
  endif()
  set(cartella_httplib ${CMAKE_CURRENT_BINARY_DIR}/intestazioni_httplib)
  file(MAKE_DIRECTORY ${cartella_httplib})
  file(CREATE_LINK ${GARA_HTTPLIB_WINDOWS}/httplib.h ${cartella_httplib}/httplib.h SYMBOLIC)
  target_include_directories(gara_httplib SYSTEM INTERFACE ${cartella_httplib})
  # Windows 10's own socket functions; no TLS, no compression.
  target_compile_definitions(gara_httplib INTERFACE _WIN32_WINNT=0x0A00)
  target_link_libraries(gara_httplib INTERFACE ws2_32)
elseif(GARA_HTTPLIB_INTERA AND EXISTS ${PROJECT_SOURCE_DIR}/build/httplib_windows/httplib.h)
  # Natively too the whole header when strumenti/httplib_windows.sh has made
  # it (strumenti/dipendenze.sh does): built in without TLS and compression,
  # the tool then starts with no HTTP, TLS or compression library to load
  # and relocate (4 MiB of memory and a share of every command's time).
  set(cartella_httplib ${CMAKE_CURRENT_BINARY_DIR}/intestazioni_httplib)
  file(MAKE_DIRECTORY ${cartella_httplib})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/build/httplib_windows/httplib.h ${cartella_httplib}/httplib.h SYMBOLIC)
  target_include_directories(gara_httplib SYSTEM INTERFACE ${cartella_httplib})
  find_package(Threads REQUIRED)
  target_link_libraries(gara_httplib INTERFACE Threads::Threads)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GARA_CPP_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
  target_link_libraries(gara_httplib INTERFACE PkgConfig::GARA_CPP_HTTPLIB)
  set(GARA_HTTPLIB_CONDIVISA ON)  # a C++ shared library: the tool keeps the shared C++ runtime
endif()
