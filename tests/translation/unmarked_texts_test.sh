#!/usr/bin/env bash
# scripts/find-unmarked-texts finds a Spanish message that skips the marker,
# wherever it sits, and lets marked ones, prose in comments and English
# through. Usage: unmarked_texts_test.sh FIND_UNMARKED_TEXTS
set -uo pipefail
find=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/analysis" "$tree/scripts"
cat >"$tree/analysis/planted.cpp" <<'CODE'
// Un comentario en español no es un texto del programa.
void Read() {
    Check(ok, TRAZEL_TR_NOOP("AnalysisFile", "un valor guardado no es un número finito"));
    Check(ok, Fill(TRAZEL_TR("AnalysisFile", "el registro %1 no es válido"), {name}));
    qDebug("no hook for a kind of control");
    Check(baseline,
          "la línea base guardada "
          "no es un número finito");
}
CODE
out=$("$find" "$tree" 2>&1)
status=$?
[ $status -eq 1 ] || { echo "estado $status, no 1: $out"; exit 1; }
grep -q 'analysis/planted.cpp:7: «la línea base guardada no es un número finito»' <<<"$out" ||
  { echo "no nombra el texto sin marca: $out"; exit 1; }
[ "$(grep -c planted.cpp <<<"$out")" -eq 1 ] || { echo "nombra más de un texto: $out"; exit 1; }
