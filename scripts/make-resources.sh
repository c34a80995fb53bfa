#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Redraws every picture resource and rebuilds the help document.
#
#   scripts/make-resources.sh
#
# Installs what the generator needs (Debian packages, only when missing),
# then writes into resources/:
#   app.ico, icons/hicolor/<n>x<n>/apps/eh-antenna.png, glyphs/*.png,
#   flat-antenna.gif                 (resources/generator/make_resources.py)
#   help_eh.rtf, help/help_eh.txt    (pandoc, from resources/help/help_eh.md)
#   help_eh.en.rtf, help/help_eh.en.txt  (the English, from help/help_eh.en.md)
# and checks the results' formats (resources/generator/check_resources.py).
# The outputs are committed, so building the program does not need this.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
res="$root/resources"

# Debian's own interpreter: python3-pil is installed for it, whatever
# python3 comes first on PATH.
py=/usr/bin/python3

packages=(python3 python3-pil fonts-dejavu-core pandoc)
bash "$root/scripts/ensure-packages.sh" make-resources "${packages[@]}"

# pictures
"$py" "$res/generator/make_resources.py" "$res"

# help documents: RTF for the program, plain text for comparisons in tests
for name in help_eh help_eh.en; do
  pandoc -f markdown-smart -t rtf -s \
    -o "$res/$name.rtf" "$res/help/$name.md"
  pandoc -f markdown-smart -t plain --wrap=none \
    -o "$res/help/$name.txt" "$res/help/$name.md"
done

"$py" "$res/generator/check_resources.py" "$res"
