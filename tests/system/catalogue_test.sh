#!/usr/bin/env bash
# The translations as shipped: every catalogue passes msgfmt --check, leaves
# nothing untranslated or fuzzy and keeps the English line breaks; the
# template holds exactly the texts the sources mark; the translated desktop
# entry and metainfo validate and carry every language.
# Usage: catalogue_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
work=$(mktemp -d /tmp/quadrimo-catalogues-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$source_dir"

check_catalogue() {  # PO TEMPLATE
  msgfmt --check --statistics -o /dev/null "$1" 2>"$work/statistics" || { cat "$work/statistics" >&2; fail "$1 has mistakes"; }
  msgcmp "$1" "$2" 2>"$work/compare" || { cat "$work/compare" >&2; fail "$1 lacks texts of $2"; }
  [ -z "$(msgattrib --untranslated --no-obsolete "$1" | grep '^msgid' | tail -n +2)" ] || fail "$1 leaves texts untranslated"
  [ -z "$(msgattrib --only-fuzzy --no-obsolete "$1" | grep '^msgid')" ] || fail "$1 has fuzzy texts"
  # A text drawn in lines keeps its number of lines.
  msgexec -i "$1" sh -c '[ -z "$MSGEXEC_MSGID" ] || [ "$(printf %s "$MSGEXEC_MSGID" | wc -l)" = "$(wc -l)" ] || { echo "$MSGEXEC_MSGID" >&2; exit 1; }' \
    >/dev/null || fail "$1 breaks a text into another number of lines"
}

languages=()
for po in po/*.po; do
  check_catalogue "$po" po/quadrimo.pot
  languages+=("$(basename "$po" .po)")
done
[ ${#languages[@]} -ge 8 ] || fail "only ${#languages[@]} languages"
for po in po/help/*.po; do check_catalogue "$po" po/help/quadrimo-help.pot; done

# The template against the texts the sources mark now.
mapfile -t sources < <(ls app/*.cpp game/*.cpp screens/*.cpp display/*.cpp media/*.cpp tools/assetgen/*.cpp)
xgettext --from-code=UTF-8 --language=C++ --keyword= --keyword=translate:1,1t --keyword=translate:1c,2,2t \
         -o "$work/code.pot" "${sources[@]}"
msgcmp --use-untranslated po/quadrimo.pot "$work/code.pot" 2>"$work/compare" \
  || { cat "$work/compare" >&2; fail "po/quadrimo.pot lacks texts the sources mark: run po/update.sh"; }

desktop="$build/po/example.zentrio.Quadrimo.desktop"
metainfo="$build/po/example.zentrio.Quadrimo.metainfo.xml"
desktop-file-validate "$desktop" || fail "the translated desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" >"$work/appstream" 2>&1 || { cat "$work/appstream" >&2; fail "the metainfo does not validate"; }
for code in "${languages[@]}"; do
  grep -q "^Comment\[$code\]=" "$desktop" || fail "the desktop entry has no $code comment"
  grep -q "<summary xml:lang=\"$code\">" "$metainfo" || fail "the metainfo has no $code summary"
done
echo "${#languages[@]} languages: complete, checked, and in the desktop entry and metainfo"
