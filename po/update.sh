#!/usr/bin/env bash
# Refreshes the message templates from the sources and merges them into
# every translation: run after changing a translatable text, then translate
# what msgmerge marks new or fuzzy. The build never runs this; it only
# compiles the .po files as they are.
# Usage: po/update.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The game's texts: translate("text") and translate("context", "text") in
# the program and the asset generator, the desktop entry and the metainfo.
mapfile -t sources < <(git ls-files 'app/*.cpp' 'game/*.cpp' 'screens/*.cpp' 'display/*.cpp' 'media/*.cpp' \
                                    'tools/assetgen/*.cpp')
xgettext --from-code=UTF-8 --language=C++ --keyword= --keyword=translate:1,1t --keyword=translate:1c,2,2t \
         --add-comments=Translators: --sort-by-file -o "$work/code.pot" "${sources[@]}"
xgettext --language=Desktop --keyword= --keyword=GenericName --keyword=Comment --keyword=Keywords \
         -o "$work/desktop.pot" packaging/example.zentrio.Quadrimo.desktop
xgettext -o "$work/metainfo.pot" packaging/example.zentrio.Quadrimo.metainfo.xml
msgcat --use-first "$work/code.pot" "$work/desktop.pot" "$work/metainfo.pot" |
  sed -e 's/^"Project-Id-Version: PACKAGE VERSION\\n"/"Project-Id-Version: quadrimo\\n"/' \
      -e 's/^"Content-Type: text\/plain; charset=CHARSET\\n"/"Content-Type: text\/plain; charset=UTF-8\\n"/' \
      >po/quadrimo.pot

for po in po/*.po; do msgmerge --quiet --update --backup=none "$po" po/quadrimo.pot; done

# The help pages and their contents; po4a merges the template into every
# help/CODE.po it is told of.
languages=$(for po in po/help/*.po; do [ -e "$po" ] && basename "$po" .po; done | tr '\n' ' ')
{ echo "[po4a_langs] $languages"; cat po/help/po4a.cfg; } >"$work/po4a.cfg"
po4a --no-translations --package-name quadrimo-help --srcdir . --destdir . "$work/po4a.cfg" >/dev/null
echo "templates refreshed: po/quadrimo.pot, po/help/quadrimo-help.pot"
