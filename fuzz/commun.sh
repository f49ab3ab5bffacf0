# Shared by fuzz/court and fuzz/long: builds the targets with clang into
# build-fuzz and runs one target. Sourced, not run.
RACINE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CONSTRUCTION="$RACINE/build-fuzz"
CIBLES=(fen chaine_position decode_coup parametres parametres_moteur csv_eco reseau version pgn xml corres)

construit_cibles() {
  local lanceur=()
  command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CC=clang-14 CXX=clang++-14 cmake -S "$RACINE" -B "$CONSTRUCTION" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMVD_FUZZ=ON -DMVD_TESTS=OFF "${lanceur[@]}" >/dev/null
  cmake --build "$CONSTRUCTION" --target fuzz_tout -j"${JOBS:-$(nproc)}"
}

# lance_cible NAME OPTIONS...: runs the target on its seed corpus and on the
# inputs it found before (build-fuzz/corpus/NAME, where new ones go); a
# failing input is written to build-fuzz/artefacts/NAME/. Prints the
# target's name and its number of executions; returns non-zero on a failure.
lance_cible() {
  local nom="$1"
  shift
  local trouve="$CONSTRUCTION/corpus/$nom" artefacts="$CONSTRUCTION/artefacts/$nom"
  mkdir -p "$trouve" "$artefacts"
  local journal="$CONSTRUCTION/journaux/$nom.log"
  mkdir -p "$(dirname "$journal")"
  local statut=0
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$CONSTRUCTION/fuzz_$nom" -artifact_prefix="$artefacts/" -print_final_stats=1 -timeout=120 \
    -rss_limit_mb=3072 "$@" "$trouve" "$RACINE/fuzz/corpus/$nom" >"$journal" 2>&1 || statut=$?
  local executions
  executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$journal" | grep -o '[0-9]*$' | tail -1)
  echo "$nom: ${executions:-?} executions$( [ $statut -ne 0 ] && echo ", FAILED (see $journal)")"
  return $statut
}
