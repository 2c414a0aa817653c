# What the fuzzing scripts share (fuzz.sh, corpora.sh, copertura.sh):
# sourced, not run.

# The libFuzzer targets, as fuzz/<target>.cpp names them.
bersagli=(lettore_campi memorizza_dati verifica decodificatori pacchetto_dati anteprima lsp)

# Options of every run. The schedule favours the inputs that run quicker: a
# route of a million metres lays a plan of 20 MB and costs as much as a
# hundred short ones, so it is still run, only less often (for the
# descriptions, three to five times the inputs a second). A hang is an input that
# takes more than 10 s.
opzioni_comuni=(-entropic_scale_per_exec_time=1 -timeout=10 -rss_limit_mb=2048)

# Builds the targets (preset fuzz) and writes their seeds into build/fuzz/semi.
prepara_fuzz() {
  bash strumenti/dipendenze.sh
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz
  rm -rf build/fuzz/semi
  build/fuzz/fuzz/semi_fuzz build/fuzz/semi
  # The check reads the same pairs of descriptions as the compile.
  cp -r build/fuzz/semi/memorizza_dati build/fuzz/semi/verifica
}

# The inputs a target starts from, after the folders given first: the
# corpus kept in the repository, the seeds and the regression inputs.
# Sets the array `cartelle`.
cartelle_di() {
  local t=$1
  shift
  cartelle=("$@" "fuzz/corpus/$t")
  # Generated seeds and kept regressions, for the targets that have them.
  [ -d "build/fuzz/semi/$t" ] && cartelle+=("build/fuzz/semi/$t")
  [ -d "tests/regressioni/$t" ] && cartelle+=("tests/regressioni/$t")
  return 0
}

# The target's dictionary option, when it has one; sets the array
# `dizionario`. The check's target reads what the compile's does.
dizionario_di() {
  local nome=$1
  [ "$nome" = verifica ] && nome=memorizza_dati
  dizionario=()
  [ -f "fuzz/$nome.dict" ] && dizionario=("-dict=fuzz/$nome.dict")
  return 0
}
