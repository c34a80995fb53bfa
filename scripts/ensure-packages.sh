#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages given that are not installed yet; the one place
# the project's scripts install packages from.
#
#   scripts/ensure-packages.sh CALLER PACKAGE...
#
# Idempotent: with everything present nothing is fetched, and the package
# lists are refreshed only when something is missing. A package of another
# architecture ("qt6-base-dev:arm64") adds that architecture first. Without
# root the missing packages are named (after "CALLER: ") and the script
# fails.
set -euo pipefail
caller=$1
shift

missing=()
for p in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "$caller: these packages are missing: ${missing[*]}" >&2
  echo "$caller: run this script as root (or with sudo) to install them" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
for p in "${missing[@]}"; do
  case $p in
    *:*)
      arch=${p##*:}
      if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
        dpkg --add-architecture "$arch"
      fi
      ;;
  esac
done
apt-get -o DPkg::Lock::Timeout=600 update
# Multiarch libraries must have the same version for every architecture, so
# installed ones may be brought up to date along with the new ones.
apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
