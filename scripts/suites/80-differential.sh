#!/usr/bin/env bash
# packages: base zmask db wasm windows
# The differential run: requests drawn from a fixed seed (biased to the case
# table's masks and values, mutated) and answered by the C interface, sent
# through every front the machine runs: the library's other entry points,
# zmask batch and stream, SQLite (general and prepared), PostgreSQL (serial,
# grouped, four parallel workers), WebAssembly in Node.js and each DLL under
# Wine. Each front's answers are compared with the C interface's; what a
# front cannot carry is counted apart. Fails on any difference.
#   ZORVA_DIFF_COUNT (20000) and ZORVA_DIFF_SEED (14) choose the draw;
#   ZORVA_DIFF_FRONTS (all) names the fronts to run, e.g. "zmask sqlite".
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wine.sh"
source postgres/pg_server.sh
count=${ZORVA_DIFF_COUNT:-20000} seed=${ZORVA_DIFF_SEED:-14}
fronts=${ZORVA_DIFF_FRONTS:-library zmask sqlite postgres wasm dll}
limit=$((300 + count / 100))  # seconds for one front's answers
out=$(mktemp -d)
trap 'pg_stop; wine_stop; rm -rf "$out"' EXIT
differing=0 front_count=0
# Every difference of the last run, one per line after its front's name.
kept=build/differential-differences.txt
mkdir -p build && : >"$kept"
started=$SECONDS

runs() { [[ " $fronts " == *" $1 "* ]]; }

# report FRONT SENT ANSWERED DIFFER NOT-CARRIED [WHY]; the first differences
# come from $out/diff (one per line).
report() {
  front_count=$((front_count + 1)) differing=$((differing + $4))
  printf 'differential: %-20s sent %6d, answered %6d, differing %5d, not carried %5d%s [%d s]\n' \
    "$1" "$2" "$3" "$4" "$5" "${6:+ ($6)}" $((SECONDS - mark))
  mark=$SECONDS
  if (($4 > 0)); then
    head -n 5 "$out/diff" | cut -c1-400 | sed 's/^/differential:     /'
    sed "s/^/$1: /" "$out/diff" >>"$kept"
  fi
  rm -f "$out/diff"
}

echo "differential: building the library, zmask and the generator"
build_tree build/release -DCMAKE_BUILD_TYPE=Release
table=$out/requests.tsv
LC_ALL=C build/release/tests/draw_requests tests/cases/cases.tsv "$count" "$seed" >"$table" 2>"$out/drawn" ||
  { cat "$out/drawn"; exit 1; }
sent=$(grep -vc '^#' "$table")
echo "differential: seed $seed: $(sed 's/^draw_requests: //' "$out/drawn")"
mark=$SECONDS

if runs library; then  # the UTF-16 entry points, the UTF-8 overloads and prepared masks
  ZORVA_CASES=$table timeout "$limit" build/release/tests/service_test --gtest_filter='*SharedCaseTable' >"$out/lib" 2>&1 || true
  # One line per failed expectation, up to its trace (the table line).
  awk '/: Failure$/ { r = ""; on = 1; next } on { r = r " " $0 } on && /cases.tsv:[0-9]+/ { print r; on = 0 }' \
    "$out/lib" | tr -s ' ' >"$out/diff"
  lines=$( (grep -o 'cases.tsv:[0-9]*' "$out/lib" || true) | sort -u | wc -l)
  grep -q '^\[  PASSED  \] 1 test' "$out/lib" || ((lines > 0)) || lines=1
  report library "$sent" "$sent" "$lines" 0
fi

if runs zmask; then
  for mode in batch stream; do
    timeout "$limit" perl tests/cases/zmask_table.pl build/release/zmask "$table" "$mode" >"$out/zmask" 2>&1 || true
    grep '^DIFF' "$out/zmask" >"$out/diff" || true
    summary=$(tail -n 1 "$out/zmask")
    [[ $summary =~ ^zmask\ $mode:\ ([0-9]+)\ rows\ answered,\ ([0-9]+)\ not\ carried(\ \((.*)\))?,\ ([0-9]+)\ differ$ ]] ||
      { cat "$out/zmask"; echo "differential: zmask $mode gave no summary"; exit 1; }
    report "zmask $mode" "$sent" "${BASH_REMATCH[1]}" "${BASH_REMATCH[5]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[4]}"
  done
fi

if runs sqlite || runs postgres; then
  build_tree build/db -DCMAKE_BUILD_TYPE=Release -DZORVA_TESTS=OFF -DZORVA_BENCH=OFF -DZORVA_SQLITE=ON
  perl tests/cases/to_rows.pl --copy "$table" 2>"$out/skipped" >/dev/null
  # Rows SQL cannot hold: "N rows skipped (text SQL cannot hold: ...)".
  read -r skipped why <<<"$(sed -n 's/^case table: \([0-9]*\) rows skipped (\(.*\))$/\1 \2/p' "$out/skipped")"
fi

if runs sqlite; then
  bash sqlite/case_table_sql.sh "$table" 2>/dev/null |
    LC_ALL=C timeout "$limit" sqlite3 -batch -bail -cmd ".load $root/build/db/sqlite/zorva" :memory: >"$out/sqlite" 2>&1 || true
  rows=$(sed -n 's/^case table: \([0-9]*\) rows$/\1/p' "$out/sqlite")
  [ -n "$rows" ] || { cat "$out/sqlite"; echo "differential: SQLite did not answer"; exit 1; }
  for path in general prepared; do
    if [ $path = prepared ]; then grep '^mismatch.*(prepared)' "$out/sqlite" >"$out/diff" || true
    else grep '^mismatch' "$out/sqlite" | grep -v '(prepared)' >"$out/diff" || true; fi
    report "sqlite $path" "$sent" "$rows" "$(wc -l <"$out/diff")" "$skipped" "$why"
  done
fi

if runs postgres; then
  pg_install_extension
  pg_start
  psql -X -q -c 'CREATE EXTENSION zorva' >/dev/null
  (cd postgres && ZORVA_CASES=$table timeout "$limit" psql -X -q -At -v ON_ERROR_STOP=1 -f sql/cases.sql) >"$out/pg" 2>&1 ||
    { cat "$out/pg"; echo "differential: PostgreSQL did not answer"; exit 1; }
  grep -q 'Workers Planned: 4' "$out/pg" || { cat "$out/pg"; echo "differential: no plan of 4 workers"; exit 1; }
  for plan in serial grouped parallel; do
    grep "^$plan|" "$out/pg" >"$out/diff" || true
    report "postgres $plan" "$sent" "$((sent - skipped))" "$(wc -l <"$out/diff")" "$skipped" "$why"
  done
fi

if runs wasm; then
  timeout 600 js/build.sh build/wasm
  (cd js && ZORVA_CASES=$table timeout "$limit" node --test --test-reporter=tap test/cases.test.js) >"$out/wasm" 2>&1 || true
  sed -n 's/^ *differs: //p' "$out/wasm" >"$out/diff"
  failed=$(sed -n 's/^# fail //p' "$out/wasm")
  [ -n "$failed" ] || { tail -n 30 "$out/wasm"; echo "differential: Node.js did not answer"; exit 1; }
  # A test that failed without listing rows counts as one difference.
  ((failed == 0)) || [ -s "$out/diff" ] || grep '^not ok' "$out/wasm" >"$out/diff"
  report wasm "$sent" "$sent" "$(wc -l <"$out/diff")" 0
fi

if runs dll; then
  wine_start differential
  wine_table "$table" requests16.tsv
  for bits in "${bitnesses[@]}"; do
    sys=$(sys_of "$bits") dll="C:\\zorva\\w$bits\\ZorvaMaskedEdit.dll"
    w "$sys\\regsvr32.exe" /s "$dll" >/dev/null 2>&1 || { echo "differential: regsvr32 $dll failed"; exit 1; }
    WTIMEOUT=$limit w "$sys\\cscript.exe" //nologo 'C:\zorva\cases.js' 'C:\zorva\requests16.tsv' 2>&1 |
      tr -d '\r' >"$out/dll" || true
    grep -q "^cases.js finished$" "$out/dll" || { tail -n 20 "$out/dll"; echo "differential: cases.js stopped"; exit 1; }
    grep '^FAIL' "$out/dll" >"$out/diff" || true
    report "dll $bits-bit" "$sent" "$(sed -n 's/^jscript cases: \([0-9]*\) rows.*/\1/p' "$out/dll")" "$(wc -l <"$out/diff")" 0
  done
fi

echo "differential: $sent requests through $front_count fronts in $((SECONDS - started)) s: $differing differences"
((differing == 0)) || echo "differential: all of them in $kept"
((differing == 0))
