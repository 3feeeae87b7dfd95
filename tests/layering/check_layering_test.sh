#!/usr/bin/env bash
# Plants one include at a time in an otherwise empty tree and checks that
# scripts/check-layering fails exactly on the ones that cross a layer.
# Usage: check_layering_test.sh CHECK_SCRIPT
set -uo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

# expected  file  include line  [known exception line]
cases=(
  "fail|model/a.h|#include <QString>"
  "fail|model/a.cpp|#include <QtCore/QList>"
  "fail|output/a.cpp|  #  include <qglobal.h>"
  "fail|output/a.cpp|#include \"ui/trazel_view.h\""
  "fail|platform/a.cpp|#include \"model/peak_table.h\""
  "fail|model/a.cpp|#include \"platform/qt/painter_dc.h\""
  "fail|output/a.cpp|#include \"../ui/trazel_view.h\""
  "fail|ui/a.cpp|#include \"cli/cli.h\""
  "fail|ui/dialogs/a.cpp|#include \"app/main_frame.h\""
  "pass|output/a.cpp|#include \"model/peak_table.h\""
  "fail|input/a.cpp|#include \"output/data_export.h\""
  "fail|input/a.h|#include <QFile>"
  "fail|model/a.cpp|#include \"input/band_list.h\""
  "pass|input/a.cpp|#include \"model/line_shapes.h\""
  "pass|model/a.h|#include <cmath>"
  "pass|platform/qt/a.cpp|#include <QWidget>"
  "pass|ui/a.cpp|#include \"output/screen_graph.h\""
  "pass|model/a.cpp|// #include <QString> is not an include"
  "fail|fit/a.h|#include <QThread>"
  "fail|fit/a.cpp|#include \"output/band_sums.h\""
  "pass|fit/a.cpp|#include \"input/measured_spectrum.h\""
  "fail|analysis/a.h|#include <QObject>"
  "fail|analysis/a.cpp|#include \"figure/figure.h\""
  "pass|analysis/a.cpp|#include \"fit/band_fit.h\""
  "fail|fit/a.cpp|#include \"analysis/analysis.h\""
  "fail|analysis/a.cpp|#include \"document/trazel_doc.h\""
  "pass|document/a.cpp|#include \"analysis/analysis.h\""
  "fail|document/a.h|#include <QObject>"
  "pass|figure/a.cpp|#include <QPen>"
  "pass|figure/a.cpp|#include \"platform/qt/painter_dc.h\""
  "fail|figure/a.cpp|#include \"ui/plot/plot_window.h\""
  "fail|figure/a.cpp|#include \"document/trazel_doc.h\""
  "fail|ui/form/a.cpp|#include \"ui/plot/plot_window.h\""
  "fail|ui/plot/a.cpp|#include \"ui/fit/fit_dialog.h\""
  "fail|ui/dialogs/a.cpp|#include \"ui/form/trazel_view.h\""
  "pass|ui/fit/a.cpp|#include \"ui/form/trazel_view.h\""
  "pass|ui/a.cpp|#include \"app/resource.h\"|ui/a.cpp app/resource.h"
  "fail|ui/a.cpp|#include \"output/screen_graph.h\"|ui/a.cpp app/resource.h"
)

status=0
for row in "${cases[@]}"; do
  IFS='|' read -r expected file include known <<<"$row"
  rm -rf "${tree:?}"/*
  mkdir -p "$tree/scripts" "$tree/$(dirname "$file")" "$tree"/{platform,model,input,output,fit,analysis,document,figure,ui}
  printf '%s\n' "$include" >"$tree/$file"
  [ -z "$known" ] || printf '# accepted for now\n%s\n' "$known" \
    >"$tree/scripts/layering-known-violations.txt"
  if output=$("$check" "$tree" 2>&1); then got=pass; else got=fail; fi
  if [ "$got" != "$expected" ]; then
    echo "$file: '$include' (known: '${known:-none}'): expected $expected, got $got"
    echo "$output"
    status=1
  fi
done
exit $status
