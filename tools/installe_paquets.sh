#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# only when some are missing.
set -euo pipefail
PAQUETS=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-multimedia-dev qt6-translations-l10n
  libgtest-dev libgmock-dev googletest
  sqlite3 poppler-utils fonts-dejavu-core espeak-ng sox xvfb xauth qt6-qpa-plugins locales
  pgn-extract msmtp
  clang-14 libclang-rt-14-dev
)
manquants=()
for p in "${PAQUETS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  echo "Installing: ${manquants[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${manquants[@]}"
fi
