#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Feeds the same generated designs to two builds of eh-antenna-cli --batch
# (the reference, built for this machine, and one built for another target,
# run through its emulator) and compares the answers line by line.
#
#   batch-agreement.sh ordinary|boundary COUNT REFERENCE_CLI CLI [EMULATOR...]
#
# ordinary: designs a radio amateur types (every band, cylinders, wires and
#   coils of usual sizes, with and without a measured bandwidth). The report
#   texts must agree exactly; the exit status is 1 when one differs.
# boundary: designs near the model's fault boundaries (a diameter ratio
#   within rounding of 1, every field 0.1, frequencies near the overflow and
#   underflow of the stored bandwidth, field texts with more digits than a
#   double holds, extreme exponents, zeros and negative values). Differences
#   are expected there; they are counted and the first ones shown.
#
# Both modes print how many answers differ at all (results to the last bit)
# and how many report texts (the report, the notice, a field that is not a
# number, or the fault's kind and message) differ; boundary mode also for
# each kind of design.
set -euo pipefail
export LC_ALL=C

mode=$1
count=$2
reference=$3
shift 3
target=("$@")

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The designs, from a fixed seed (the Park-Miller generator, exact in awk's
# doubles), one JSON Lines request each.
awk -v mode="$mode" -v count="$count" -v kinds="$tmp/kinds" '
function rnd() { seed = (seed * 16807) % 2147483647; return seed / 2147483647 }
function uniform(lo, hi) { return lo + (hi - lo) * rnd() }
function pick(n) { return int(n * rnd()) + 1 }
function fixed(x, decimals) { return sprintf("%." decimals "f", x) }
function request(f, d, k, w, p, t, b) {
  printf "{\"frequency\":\"%s\",\"cylinder-diameter\":\"%s\",\"ratio\":\"%s\",", f, d, k
  printf "\"wire-diameter\":\"%s\",\"pitch\":\"%s\",\"turn-diameter\":\"%s\",\"bandwidth\":\"%s\"}\n", w, p, t, b
}
function ordinary(    f, w) {
  split("1.83 3.6 3.65 7.05 7.1 10.12 14.2 18.1 21.2 24.9 28.5 29.6 50.1 52", bands, " ")
  f = (rnd() < 0.5) ? bands[pick(14)] : fixed(uniform(1.8, 54), pick(3))
  w = uniform(0.2, 3)
  request(f, fixed(uniform(10, 200), pick(2) - 1), fixed(uniform(1, 8), pick(3) - 1),
          fixed(w, 2), fixed(w + uniform(0, 4), 2), fixed(uniform(10, 200), pick(2) - 1),
          (rnd() < 0.3) ? "0" : fixed(uniform(5, 3000), pick(2) - 1))
}
function digits(n,    s, i) {
  s = pick(9)
  for (i = 1; i < n; i++) s = s int(10 * rnd())
  return s
}
function boundary(    kind, x, e) {
  kind = pick(6)
  print kind >kinds
  if (kind == 1) { # cylinder and wire of equal diameter: a ratio within rounding of 1
    x = fixed(uniform(0.05, 300), pick(4) - 1)
    request("14.2", x, "3", x, "2", "50", "0")
  } else if (kind == 2) { # every field 0.1, one of them changed a little
    x = fixed(0.1 + uniform(-0.05, 0.05), 3)
    split("0.1 0.1 0.1 0.1 0.1 0.1", v, " ")
    v[pick(6)] = x
    request(v[1], v[2], v[3], v[4], v[5], v[6], "0")
  } else if (kind == 3) { # the stored bandwidth near its overflow or underflow
    e = (rnd() < 0.5) ? 145 + pick(12) : -175 + pick(14)
    request(fixed(uniform(1, 10), pick(6)) "e" e, "50", "3", "1", "2", "50", fixed(uniform(0, 1000), 1))
  } else if (kind == 4) { # more digits than a double holds
    request("14." digits(18 + pick(10)), digits(2) "." digits(20), "3", "1." digits(22), "2", "50",
            digits(3) "." digits(19))
  } else if (kind == 5) { # extreme exponents in one field
    split("14.2 50 3 1 2 50 500", v, " ")
    v[pick(7)] = ((rnd() < 0.5) ? "-" : "") fixed(uniform(1, 10), 3) "e" ((rnd() < 0.5) ? "" : "-") (280 + pick(45))
    request(v[1], v[2], v[3], v[4], v[5], v[6], v[7])
  } else { # zeros and negative values
    split("14.2 50 3 1 2 50 500", v, " ")
    v[pick(7)] = (rnd() < 0.5) ? "0" : "-" v[pick(7)]
    v[pick(7)] = (rnd() < 0.5) ? "0" : "-" v[pick(7)]
    request(v[1], v[2], v[3], v[4], v[5], v[6], v[7])
  }
}
BEGIN {
  seed = (mode == "ordinary") ? 20261207 : 1207
  for (i = 0; i < count; i++) { if (mode == "ordinary") ordinary(); else boundary() }
}' >"$tmp/requests.jsonl"

"$reference" --batch <"$tmp/requests.jsonl" >"$tmp/reference.jsonl"
"${target[@]}" --batch <"$tmp/requests.jsonl" >"$tmp/target.jsonl"

lines() { wc -l <"$1"; }
if [ "$(lines "$tmp/reference.jsonl")" -ne "$count" ] || [ "$(lines "$tmp/target.jsonl")" -ne "$count" ]; then
  echo "FAIL: expected $count answers, got $(lines "$tmp/reference.jsonl") and $(lines "$tmp/target.jsonl")" >&2
  exit 1
fi

# The report text of an answer: the answer without its inputs and results.
report() { sed -E 's/^\{"inputs":\{[^}]*\},"results":\{[^}]*\},//' "$1"; }
report "$tmp/reference.jsonl" >"$tmp/reference.report"
report "$tmp/target.jsonl" >"$tmp/target.report"

differing() { paste -d '\n' "$1" "$2" | awk 'NR % 2 { a = $0; next } a != $0 { n++ } END { print n + 0 }'; }
answers=$(differing "$tmp/reference.jsonl" "$tmp/target.jsonl")
reports=$(differing "$tmp/reference.report" "$tmp/target.report")
echo "$mode designs: $count; answers that differ: $answers; report texts that differ: $reports"

if [ "$mode" = boundary ]; then
  paste -d '\t' "$tmp/kinds" "$tmp/reference.jsonl" "$tmp/target.jsonl" "$tmp/reference.report" "$tmp/target.report" |
    awk -F '\t' '
      BEGIN {
        name[1] = "equal cylinder and wire diameters"; name[2] = "every field 0.1, one changed a little"
        name[3] = "the stored bandwidth near its overflow or underflow"; name[4] = "more digits than a double holds"
        name[5] = "an extreme exponent in one field"; name[6] = "zeros and negative values"
      }
      { n[$1]++; if ($2 != $3) a[$1]++; if ($4 != $5) r[$1]++ }
      END { for (k = 1; k <= 6; k++) printf "  %s: %d; answers that differ: %d; report texts that differ: %d\n", name[k], n[k], a[k], r[k] }'
fi

if [ "$reports" -ne 0 ]; then
  echo "the first designs whose report texts differ (request, then < reference, > target):"
  paste -d '\t' "$tmp/requests.jsonl" "$tmp/reference.report" "$tmp/target.report" |
    awk -F '\t' '$2 != $3 && ++n <= 10 {
      for (i = 1; substr($2, i, 1) == substr($3, i, 1); i++) {}
      from = (i > 80) ? i - 80 : 1
      print $1; print "< " substr($2, from, 160); print "> " substr($3, from, 160)
    }'
fi
if [ "$mode" = ordinary ] && [ "$reports" -ne 0 ]; then
  echo "FAIL: ordinary designs must give the same report texts" >&2
  exit 1
fi
