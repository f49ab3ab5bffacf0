#!/usr/bin/env bash
# Makes the twelve sound files of the program in data/son/: spoken French
# remarks from espeak-ng, short tones from sox. 16 kHz, mono, 16-bit WAV.
# Run by hand when a sound changes; the files it writes are committed.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v espeak-ng >/dev/null || { echo "espeak-ng is missing (tools/installe_paquets.sh)"; exit 1; }
command -v sox >/dev/null || { echo "sox is missing (tools/installe_paquets.sh)"; exit 1; }

sortie=data/son
mkdir -p "$sortie"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
FORMAT=(-r 16000 -c 1 -b 16)

# A spoken phrase: French voice, a little slower than the default, normalised.
parle() {  # fichier phrase
  espeak-ng -v fr -s 150 -p 45 -w "$tmp/brut.wav" "$2"
  sox "$tmp/brut.wav" "${FORMAT[@]}" "$sortie/$1" norm -3 fade t 0.01 0 0.05
}

# A tone made by sox's synth; the remaining arguments are sox effects.
ton() {  # fichier durée synth-args...
  local f=$1 d=$2
  shift 2
  sox -n "${FORMAT[@]}" "$sortie/$f" synth "$d" "$@"
}

# Refused action: two low buzzes.
ton erreur.wav 0.12 square 180 vol 0.35 fade t 0.005 0.12 0.02 pad 0 0.06 repeat 1
# Piece lifted: a short rising blip; piece set down: a short falling knock.
ton up.wav 0.07 sine 520-880 vol 0.5 fade t 0.005 0.07 0.03
ton down.wav 0.09 sine 300-140 vol 0.7 fade t 0.002 0.09 0.06
# Connection made: a two-note chime.
sox -n "${FORMAT[@]}" "$tmp/a.wav" synth 0.15 sine 660 vol 0.5 fade t 0.005 0.15 0.05
sox -n "${FORMAT[@]}" "$tmp/b.wav" synth 0.25 sine 990 vol 0.5 fade t 0.005 0.25 0.12
sox "$tmp/a.wav" "$tmp/b.wav" "$sortie/connect.wav"
# A ring: a warbling bell, three times.
ton dring.wav 0.35 sine 1200 sine 1500 tremolo 22 90 vol 0.4 fade t 0.01 0.35 0.05 pad 0 0.1 repeat 2

# The spoken remarks.
parle mat.wav "Échec et mat !"
parle comportement.wav "Quel drôle de comportement !"
parle mauvais.wav "Aïe, c'est mauvais pour moi."
parle je-suis-faible.wav "Je suis faible, aujourd'hui."
parle raisonable.wav "Soyez raisonnable !"
parle commencer.wav "Nous pouvons commencer. Bonne partie !"
parle beau-ca.wav "Beau coup, ça !"

ls -l "$sortie"
