#!/usr/bin/env bash
# Installs whatever the build needs and is missing (Debian).
set -euo pipefail
# qt6-translations-l10n: Qt's own Italian texts; fonts-liberation: the narrow face of
# the candidates and the metric twin of Arial; xvfb, openbox, fluxbox and x11-utils:
# the window tests on a real X server under two window managers, which look at the
# server through libxcb.
pkgs=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libgl1-mesa-dev fonts-dejavu-core
      qt6-translations-l10n fonts-liberation xvfb openbox fluxbox x11-utils libxcb1-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
