#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the RTF files of this corpus and their expected texts from
# sources/, with the word processor and converters that write real RTF:
#
#   libreoffice-*.rtf  LibreOffice Writer, from HTML; expected text: Writer's
#                      own plain-text export of the same HTML.
#   pandoc-*.rtf       pandoc, from Markdown; expected text: pandoc's plain
#                      text writer on the same Markdown.
#   latex2rtf-*.rtf    latex2rtf, from LaTeX; latex2rtf has no text output,
#                      so the expected text is LibreOffice's reading of the RTF.
#   enscript-*.rtf     GNU enscript, from Latin-1 text; expected text: that
#                      text itself, in UTF-8.
#   abiword-*.rtf      AbiWord, from HTML; AbiWord's own text export leaves
#                      list labels out, so the expected text is LibreOffice's
#                      reading of the RTF.
#   *-structure.rtf    lists, footnotes and tables (nested in AbiWord's);
#                      LibreOffice reads pandoc's ODT of the
#                      Markdown, and pandoc's own plain text puts footnotes
#                      at the end, so pandoc's RTF is checked against
#                      LibreOffice's reading of it.
#
# The hand-made files (wordpad-*, word-*) and their expected texts are not
# generated; LibreOffice reads them as they expect. Needs the Debian
# packages libreoffice-writer-nogui, pandoc, latex2rtf, enscript and abiword;
# only the files this script writes are changed.
set -euo pipefail

cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A private LibreOffice profile keeps the conversion independent of the
# user's settings and of a running LibreOffice.
soffice_convert() {
  soffice --headless "-env:UserInstallation=file://$work/profile" "$@" >/dev/null
}

for name in help-ru formats-en; do
  soffice_convert --infilter="HTML (StarWriter)" --convert-to rtf --outdir "$work" "sources/$name.html"
  soffice_convert --infilter="HTML (StarWriter)" --convert-to 'txt:Text (encoded):UTF8' --outdir "$work" \
    "sources/$name.html"
  mv "$work/$name.rtf" "libreoffice-$name.rtf"
  mv "$work/$name.txt" "libreoffice-$name.txt"
done

pandoc --standalone sources/notes.md -o pandoc-notes.rtf
pandoc --wrap=none -t plain sources/notes.md -o pandoc-notes.txt

cp sources/coil.tex "$work/coil.tex"
(cd "$work" && latex2rtf -o coil.rtf coil.tex >/dev/null 2>&1)
mv "$work/coil.rtf" latex2rtf-coil.rtf
soffice_convert --convert-to 'txt:Text (encoded):UTF8' --outdir "$work" latex2rtf-coil.rtf
mv "$work/latex2rtf-coil.txt" latex2rtf-coil.txt

enscript --quiet --language=rtf --encoding=latin1 --output=enscript-notes-latin1.rtf sources/notes-latin1.txt
iconv -f LATIN1 -t UTF-8 sources/notes-latin1.txt > enscript-notes-latin1.txt

# The structure files: lists, footnotes and tables.
pandoc sources/structure.md -o "$work/structure.odt"
soffice_convert --convert-to rtf --outdir "$work" "$work/structure.odt"
soffice_convert --convert-to 'txt:Text (encoded):UTF8' --outdir "$work" "$work/structure.odt"
mv "$work/structure.rtf" libreoffice-structure.rtf
mv "$work/structure.txt" libreoffice-structure.txt

pandoc --standalone sources/structure.md -o pandoc-structure.rtf 2>/dev/null
abiword --to=rtf -o abiword-structure.rtf sources/structure.html 2>/dev/null
cp sources/structure.tex "$work/structure.tex"
(cd "$work" && latex2rtf -o structure.rtf structure.tex >/dev/null 2>&1)
mv "$work/structure.rtf" latex2rtf-structure.rtf
for name in pandoc-structure abiword-structure latex2rtf-structure; do
  soffice_convert --convert-to 'txt:Text (encoded):UTF8' --outdir "$work" "$name.rtf"
  mv "$work/$name.txt" "$name.txt"
done
