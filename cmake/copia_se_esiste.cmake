# Copies DA to A when DA exists (and differs), and removes a stale A when it
# does not: cmake -DDA=... -DA=... -P copia_se_esiste.cmake
if(EXISTS "${DA}")
  file(COPY_FILE "${DA}" "${A}" ONLY_IF_DIFFERENT)
elseif(EXISTS "${A}")
  file(REMOVE "${A}")
endif()
