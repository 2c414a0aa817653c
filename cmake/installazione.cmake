# What `cmake --install` puts in place, in two components:
#  - strumento: the tool, its manual page scenario(1) (Italian) and its
#    completion for bash;
#  - pacchetto: the package, under lib/scenario/ (it writes the scenario's
#    files into its own folder: a user copies it where they are wanted),
#    and beside it, when a build with the preset windows has made it, the
#    Windows package: the programs that `scenario impacchetta` makes
#    packages of (it looks for them in ../lib/scenario/ from bin/).
# On Windows both programs go side by side into bin/.
include(GNUInstallDirs)

install(TARGETS scenario RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT strumento)
if(WIN32)
  install(TARGETS pacchetto RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT pacchetto)
else()
  install(TARGETS pacchetto RUNTIME DESTINATION lib/scenario
          COMPONENT pacchetto)
  set(GARA_PACCHETTO_WINDOWS "${PROJECT_SOURCE_DIR}/build/windows/src/${GARA_NOME_PACCHETTO}.exe"
      CACHE FILEPATH "The Windows package (preset windows) that installs put beside the Linux one")
  install(FILES ${GARA_PACCHETTO_WINDOWS} DESTINATION lib/scenario COMPONENT pacchetto OPTIONAL)
  install(FILES ${PROJECT_SOURCE_DIR}/distribuzione/scenario.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT strumento)
  install(FILES ${PROJECT_SOURCE_DIR}/distribuzione/completamento.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME scenario COMPONENT strumento)
endif()
