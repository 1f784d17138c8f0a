#!/usr/bin/env bash
# The performance figures of qualm, each as a ratio against a baseline
# measured in the same run (absolute times on shared machines drift).
# Usage: bash bench/run.sh     (about three minutes; needs cc and tr, and strace for the write count)
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release > /dev/null
cmake --build --preset release --target qualm pass_bench > /dev/null
qualm=$PWD/build/release/qualm
pass_bench=$PWD/build/release/bench/pass_bench

work=$(mktemp -d "${TMPDIR:-/var/tmp}/qualm-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
for tool in alternate c_writer count_bytes make_data measure; do
  cc -O2 -o "$work/$tool" "bench/$tool.c"
done
size=$((256 << 20))
runs=5

# best CMD...: the lowest first field of what CMD prints, over $runs runs,
# followed by the rest of that run's line.
best() {
  local lowest="" line
  for ((i = 0; i < runs; i++)); do
    line=$("$@")
    if [[ -z $lowest ]] || awk -v a="${line%% *}" -v b="${lowest%% *}" 'BEGIN { exit !(a < b) }'; then
      lowest=$line
    fi
  done
  echo "$lowest"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
lowest() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a < b) ? a : b }'; }
verdict() { awk -v v="$1" -v op="$2" -v t="$3" \
  'BEGIN { ok = (op == "<=") ? v <= t : v >= t; print ok ? "met" : "NOT MET" }'; }

echo "== 1. pass throughput on 256 MiB in memory, against tr -dc deleting the non-command bytes"
for shape in noncommand commands random; do
  "$work/make_data" "$shape" "$size" > "$work/$shape"
  read -r pass first < <("$pass_bench" "$work/$shape" "$runs")
  tr_time=$(best "$work/measure" "$work/$shape" /dev/null tr -dc '+-9HQhq')
  mbps=$(awk -v s="$pass" -v n="$size" 'BEGIN { printf "%.0f", n / s / 1e6 }')
  r=$(ratio "$pass" "${tr_time%% *}")
  printf '   %-10s %6s MB/s (>= 1000: %s)   %s x tr (<= 1.5: %s)   first run, into fresh memory: %s x tr\n' \
    "$shape" "$mbps" "$(verdict "$mbps" '>=' 1000)" "$r" "$(verdict "$r" '<=' 1.5)" \
    "$(ratio "$first" "${tr_time%% *}")"
  rm -f "$work/$shape"
done

echo "== 2. start-up: a program file holding h, against a minimal C program that writes the same and reads one character"
printf h > "$work/hello"
read -r wall base_wall cpu base_cpu _ < <("$work/alternate" 201 /dev/null "$qualm" "$work/hello" -- "$work/c_writer" hello)
for what in wall cpu; do
  if [[ $what == wall ]]; then ours=$wall base=$base_wall; else ours=$cpu base=$base_cpu; fi
  r=$(ratio "$ours" "$base")
  printf '   %-4s %.0f us against %.0f us, medians of 201 runs each: %s x (<= 1.1: %s)\n' "$what" \
    "$(awk -v t="$ours" 'BEGIN { print t * 1e6 }')" "$(awk -v t="$base" 'BEGIN { print t * 1e6 }')" \
    "$r" "$(verdict "$r" '<=' 1.1)"
done

echo "== 3. whole run, 256 MiB program file whose only command is a final h, against the read floor"
"$work/make_data" final_h "$size" > "$work/final_h"
read -r wall floor _ _ memory_kib _ < <("$work/alternate" 21 /dev/null "$qualm" "$work/final_h" -- \
  "$work/c_writer" read "$work/final_h")
r=$(ratio "$wall" "$floor")
memory=$(awk -v k="$memory_kib" -v n="$size" 'BEGIN { printf "%.2f", k * 1024 / n }')
printf '   time   %ss against %ss, medians of 21 runs each: %s x the floor (<= 1.15: %s)\n' \
  "$wall" "$floor" "$r" "$(verdict "$r" '<=' 1.15)"
printf '   memory %s KiB peak: %s x the file (<= 1.1: %s)\n' \
  "$memory_kib" "$memory" "$(verdict "$memory" '<=' 1.1)"
tr_run=$(best "$work/measure" "$work/final_h" /dev/null tr -d '+-9HQhq')
printf '   for scale: tr -d on the same file takes %ss; qualm is %s x that\n' \
  "${tr_run%% *}" "$(ratio "$wall" "${tr_run%% *}")"
rm -f "$work/final_h"

echo "== 4. song: 10,000 songs, against a minimal C writer with the same 199 writes per song"
head -c 10000 /dev/zero | tr '\0' 9 > "$work/songs"
# The same writer through unbuffered stdio shows what the C library's fwrite
# costs per call, which a program of the standard library alone must pay.
for target in /dev/null pipe; do
  if [[ $target == pipe ]]; then into=" | cat > /dev/null"; else into=" > /dev/null"; fi
  # The three in turn, so that they meet the same moments of the machine.
  ours="" base="" stdio=""
  for ((i = 0; i < runs; i++)); do
    t=$("$work/measure" /dev/null /dev/null sh -c "'$qualm' '$work/songs' $into")
    ours=$(lowest "${t%% *}" "$ours")
    t=$("$work/measure" /dev/null /dev/null sh -c "'$work/c_writer' song 10000 $into")
    base=$(lowest "${t%% *}" "$base")
    t=$("$work/measure" /dev/null /dev/null sh -c "'$work/c_writer' stdio-song 10000 $into")
    stdio=$(lowest "${t%% *}" "$stdio")
  done
  r=$(ratio "$ours" "$base")
  printf '   to %-9s %ss against %ss: %s x (<= 1.3: %s); against C through stdio (%ss): %s x\n' \
    "$target" "$ours" "$base" "$r" "$(verdict "$r" '<=' 1.3)" "$stdio" "$(ratio "$ours" "$stdio")"
done
if command -v strace > /dev/null; then
  head -c 100 /dev/zero | tr '\0' 9 > "$work/hundred"
  writes=$(strace -f -c -e trace=write "$qualm" "$work/hundred" < /dev/null 2>&1 > /dev/null |
    awk '$NF == "write" { print $4 }')
  printf '   write calls for 100 songs: %s (per song: %s, exactly 199: %s)\n' "$writes" \
    "$(ratio "$writes" 100)" "$( [[ $writes == 19900 ]] && echo met || echo 'NOT MET')"
fi

# rates CMD1 -- CMD2: bytes per second that each command writes into a
# pipe, best of $runs, the two measured in turn so that both meet the same
# moments of a shared machine.
rates() {
  local first=() second=() best1=0 best2=0 r
  while [[ $1 != -- ]]; do first+=("$1"); shift; done
  shift
  second=("$@")
  for ((i = 0; i < runs; i++)); do
    r=$("${first[@]}" < /dev/null 2> /dev/null | "$work/count_bytes" 2 || true)
    if ((r > best1)); then best1=$r; fi
    r=$("${second[@]}" < /dev/null 2> /dev/null | "$work/count_bytes" 2 || true)
    if ((r > best2)); then best2=$r; fi
  done
  echo "$best1 $best2"
}

echo "== 5. endless echo, into a pipe, against a minimal C loop with one write per repetition"
printf 'q-\n' > "$work/echo3"
{ printf 'q-'; "$work/make_data" noncommand $(((1 << 20) - 2)); } > "$work/echo1m"
for program in echo3 echo1m; do
  line=$(($(wc -c < "$work/$program") + 1))
  read -r ours base < <(rates "$qualm" "$work/$program" -- "$work/c_writer" echo "$work/$program")
  r=$(ratio "$ours" "$base")
  printf '   %-7s %12.0f against %12.0f repetitions/s: %s x (>= 0.8: %s)\n' "$program" \
    "$(ratio "$ours" "$line")" "$(ratio "$base" "$line")" "$r" "$(verdict "$r" '>=' 0.8)"
done

echo "== 6. endless song, into a pipe, against the minimal C writer"
printf '9-' > "$work/song_forever"
read -r ours base < <(rates "$qualm" "$work/song_forever" -- "$work/c_writer" song 0)
r=$(ratio "$ours" "$base")
printf '   %.0f against %.0f songs/s: %s x (>= 0.8: %s)\n' \
  "$(ratio "$ours" 10697)" "$(ratio "$base" 10697)" "$r" "$(verdict "$r" '>=' 0.8)"
