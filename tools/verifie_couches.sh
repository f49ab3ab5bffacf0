#!/usr/bin/env bash
# Checks that every #include "folder/file.h" of the program's folders goes
# downwards or stays in its own folder:
#   chess <- platform <- localisation <- openings <- play
#         <- gamefiles, network, correspondence <- app
# langlib and boardcontrol are libraries of their own that include nothing of
# the program: langlib sits under platform, boardcontrol under play.
# Usage: tools/verifie_couches.sh [root] (default: the project folder).
# Prints each include going the wrong way and exits 1 when there is one.
set -euo pipefail
racine=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$racine"

# folder:level; a folder includes only folders of a lower level. The
# libraries of their own (langlib, boardcontrol) include no other folder.
couches="chess:0 langlib:5 platform:10 localisation:20 openings:30 boardcontrol:35 play:40
gamefiles:50 network:50 correspondence:50 app:60"
seuls="langlib boardcontrol"

dossiers=()
for c in $couches; do [ -d "${c%%:*}" ] && dossiers+=("${c%%:*}"); done

grep -rn --include='*.cpp' --include='*.h' -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z_]+/' \
    "${dossiers[@]}" 2>/dev/null |
awk -v couches="$couches" -v seuls="$seuls" '
  BEGIN {
    n = split(couches, t, /[ \n]+/)
    for (i = 1; i <= n; ++i) { split(t[i], c, ":"); niveau[c[1]] = c[2] + 0 }
    n = split(seuls, t, / /)
    for (i = 1; i <= n; ++i) seul[t[i]] = 1
    fautes = 0
  }
  {
    # file:line:#include "folder/..."
    fichier = $0; sub(/:.*/, "", fichier)
    reste = substr($0, length(fichier) + 2)
    ligne = reste; sub(/:.*/, "", ligne)
    texte = substr(reste, length(ligne) + 2)
    dossier = fichier; sub(/\/.*/, "", dossier)
    cible = texte; sub(/^[^"]*"/, "", cible); sub(/\/.*/, "", cible)
    if (cible == dossier || !(cible in niveau)) next
    if ((dossier in seul) || niveau[cible] >= niveau[dossier]) {
      printf "%s:%s: %s/ may not include %s/ (%s)\n", fichier, ligne, dossier, cible, texte > "/dev/stderr"
      ++fautes
    }
  }
  END {
    if (fautes > 0) {
      printf "verifie_couches: %d include(s) going the wrong way; a folder reaches only the folders below it " \
             "(chess <- platform <- localisation <- openings <- play <- gamefiles, network, correspondence <- app).\n", fautes > "/dev/stderr"
      exit 1
    }
    print "verifie_couches: every include goes downwards"
  }'
