#!/usr/bin/env bash
# The performance figures of qualm. Every judged time or rate is a ratio
# against a baseline measured in the same run, the two taken in turn round
# after round, and the median of the rounds' ratios is judged: absolute
# times on shared machines drift. Absolute speeds are shown for scale only.
# Usage: bash bench/run.sh     (about six minutes; needs cc and tr, and
# strace for the counts of writes and reads)
set -euo pipefail
cd "$(dirname "$0")/.."

# qualm as the .deb has it and, fully static, as the tarballs have it; the
# pass alone; the C baselines and measuring tools, built beside it.
cmake --preset release > /dev/null
cmake --build --preset release \
  --target qualm pass_bench alternate c_writer count_bytes make_data measure > /dev/null
cmake --preset static > /dev/null
cmake --build --preset static --target qualm > /dev/null
qualm=$PWD/build/release/qualm
static=$PWD/build/static/qualm
bin=$PWD/build/release/bench

work=$(mktemp -d "${TMPDIR:-/var/tmp}/qualm-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
size=$((256 << 20))
rounds=9  # 15 for the rates into a pipe, the noisiest figures

median() {
  sort -g | awk '{ v[NR] = $1 }
    END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v v="$1" -v op="$2" -v t="$3" \
  'BEGIN { ok = (op == "<=") ? v <= t : v >= t; print ok ? "met" : "NOT MET" }'; }
micro() { awk -v t="$1" 'BEGIN { printf "%.0f", t * 1e6 }'; }

# paired A B: runs the shell commands A and B in turn, $rounds times; each
# prints a figure as its first field. Prints the median ratio A/B of the
# rounds, then the median of A and the median of B.
paired() {
  local round a b
  for ((round = 0; round < rounds; round++)); do
    a=$(eval "$1") && b=$(eval "$2")
    echo "${a%% *} ${b%% *}"
  done > "$work/rounds"
  printf '%.3g %s %s\n' "$(awk '{ print $1 / $2 }' "$work/rounds" | median)" \
    "$(cut -d' ' -f1 "$work/rounds" | median)" "$(cut -d' ' -f2 "$work/rounds" | median)"
}

# seconds IN CMD...: the time of one run, input from IN. pipe_rate CMD...:
# the bytes per second it writes into a pipe in a second.
seconds() { "$bin/measure" "$1" /dev/null "${@:2}"; }
pipe_rate() { "$@" < /dev/null 2> /dev/null | "$bin/count_bytes" 1 || true; }

echo "== 1. pass on 256 MiB in memory, against tr -dc deleting the non-command bytes"
for shape in noncommand commands random; do
  "$bin/make_data" "$shape" "$size" > "$work/$shape"
  sync "$work/$shape"  # no writeback while measuring
  # The set in byte order but for the -, last: anywhere else it makes a range.
  tr="seconds '$work/$shape' tr -dc '+9HQhq-'"
  read -r r pass _ < <(paired "'$bin/pass_bench' '$work/$shape' 9" "$tr")
  read -r first _ < <(paired "'$bin/pass_bench' '$work/$shape' 1" "$tr")
  printf '   %-10s %s x tr (<= 1.5: %s); first run, into fresh memory: %s x tr;' \
    "$shape" "$r" "$(verdict "$r" '<=' 1.5)" "$first"
  awk -v s="$pass" -v n="$size" 'BEGIN { printf " for scale: %.0f MB/s\n", n / s / 1e6 }'
  rm -f "$work/$shape"
done

echo "== 2. start-up: a program file holding h, against a minimal C program that writes the same" \
  "and reads one character"
printf h > "$work/hello"
for build in dynamic static; do
  program=$([[ $build == static ]] && echo "$static" || echo "$qualm")
  limit=$([[ $build == static ]] && echo 1.0 || echo 1.1)
  read -r wall_r cpu_r wall base_wall cpu base_cpu _ < <("$bin/alternate" 401 /dev/null \
    "$program" "$work/hello" -- "$bin/c_writer" hello)
  printf '   %-7s wall %s x (<= %s: %s), cpu %s x (<= %s: %s);' "$build" \
    "$wall_r" "$limit" "$(verdict "$wall_r" '<=' "$limit")" \
    "$cpu_r" "$limit" "$(verdict "$cpu_r" '<=' "$limit")"
  printf ' medians of 401 runs each, wall %s us against %s us, cpu %s us against %s us\n' \
    "$(micro "$wall")" "$(micro "$base_wall")" "$(micro "$cpu")" "$(micro "$base_cpu")"
done

echo "== 3. whole run, 256 MiB program file whose only command is a final h, against the read" \
  "floor (read it, look at each byte)"
"$bin/make_data" final_h "$size" > "$work/final_h" && sync "$work/final_h"
read -r r _ wall floor _ _ memory_kib _ < <("$bin/alternate" 21 /dev/null \
  "$qualm" "$work/final_h" -- "$bin/c_writer" read "$work/final_h")
memory=$(awk -v k="$memory_kib" -v n="$size" 'BEGIN { printf "%.2f", k * 1024 / n }')
printf '   time   %s x the floor (<= 1.15: %s); medians of 21 runs each, %ss against %ss\n' \
  "$r" "$(verdict "$r" '<=' 1.15)" "$wall" "$floor"
printf '   memory %s x the file (<= 1.1: %s); %s KiB at its peak\n' \
  "$memory" "$(verdict "$memory" '<=' 1.1)" "$memory_kib"
rm -f "$work/final_h"

echo "== 4. song: 1,000 songs, against a minimal C writer with the same 199 writes per song"
head -c 1000 /dev/zero | tr '\0' 9 > "$work/songs"
# The same writer through unbuffered stdio shows what the C library's fwrite
# costs per call, which a program of the standard library alone must pay.
for target in /dev/null pipe; do
  into=$([[ $target == pipe ]] && echo '| cat > /dev/null' || echo '> /dev/null')
  ours="seconds /dev/null sh -c \"'$qualm' '$work/songs' $into\""
  base="seconds /dev/null sh -c \"'$bin/c_writer'"
  read -r r _ < <(paired "$ours" "$base song 1000 $into\"")
  read -r stdio _ < <(paired "$ours" "$base stdio-song 1000 $into\"")
  printf '   to %-9s %s x (<= 1.3: %s); against C through stdio: %s x\n' \
    "$target" "$r" "$(verdict "$r" '<=' 1.3)" "$stdio"
done
if command -v strace > /dev/null; then
  head -c 100 /dev/zero | tr '\0' 9 > "$work/hundred"
  writes=$(strace -f -c -e trace=write "$qualm" "$work/hundred" < /dev/null 2>&1 > /dev/null |
    awk '$NF == "write" { print $4 }')
  printf '   write calls for 100 songs: %s (per song: %s, exactly 199: %s)\n' "$writes" \
    "$(ratio "$writes" 100)" "$([[ $writes == 19900 ]] && echo met || echo 'NOT MET')"
fi

echo "== 5. endless echo, into a pipe, against a minimal C loop with one write per repetition"
printf 'q-\n' > "$work/echo3"
{ printf 'q-'; "$bin/make_data" noncommand $(((1 << 20) - 2)); } > "$work/echo1m"
for program in echo3 echo1m; do
  line=$(($(wc -c < "$work/$program") + 1))
  read -r r ours base < <(rounds=15 paired "pipe_rate '$qualm' '$work/$program'" \
    "pipe_rate '$bin/c_writer' echo '$work/$program'")
  printf '   %-7s %s x (>= 0.8: %s); for scale: %.0f against %.0f repetitions/s\n' "$program" \
    "$r" "$(verdict "$r" '>=' 0.8)" "$(ratio "$ours" "$line")" "$(ratio "$base" "$line")"
done

echo "== 6. endless song, into a pipe, against the minimal C writer"
printf '9-' > "$work/song_forever"
read -r r ours base < <(rounds=15 paired "pipe_rate '$qualm' '$work/song_forever'" \
  "pipe_rate '$bin/c_writer' song 0")
printf '   %s x (>= 0.8: %s); for scale: %.0f against %.0f songs/s\n' \
  "$r" "$(verdict "$r" '>=' 0.8)" "$(ratio "$ours" 10697)" "$(ratio "$base" 10697)"

echo "== 7. reading the program: a file's reads, and a line from a redirected file against" \
  "the same text as a file argument"
if command -v strace > /dev/null; then
  # A file under 256 KiB in one read, a larger one in 256 KiB and the rest;
  # then one more read finds the end.
  for bytes in 100000 10485760; do
    head -c "$bytes" /dev/zero > "$work/zeros"
    reads=$(strace -qq -P "$work/zeros" -e trace=read "$qualm" "$work/zeros" < /dev/null 2>&1 \
      > /dev/null | awk '{ print $NF }' | paste -sd ' ')
    expected="$bytes 0"
    ((bytes <= 262144)) || expected="262144 $((bytes - 262144)) 0"
    printf '   read calls for %8s bytes: %s (%s: %s)\n' "$bytes" "$reads" "$expected" \
      "$([[ $reads == "$expected" ]] && echo met || echo 'NOT MET')"
  done
fi
# h, then 1 MiB without a command or a newline, then a newline: one line.
{ printf h; "$bin/make_data" noncommand $((1 << 20)) | tr '\n' x; echo; } > "$work/line"
read -r r _ ours base _ < <("$bin/alternate" "$rounds" "$work/line" "$qualm" -- \
  "$qualm" "$work/line")
printf '   1 MiB line from standard input %s x from the file (<= 2: %s);' "$r" \
  "$(verdict "$r" '<=' 2)"
printf ' medians of %s runs each, %ss against %ss\n' "$rounds" "$ours" "$base"

echo "== 8. the npm package: start-up of its command, a program file holding h, against" \
  "node -e ''; the pass under node, against the native pass"
if ! command -v emcc > /dev/null || ! command -v node > /dev/null; then
  echo "   skipped: it needs emscripten and node (Debian: emscripten)"
else
  cmake --preset npm > /dev/null
  cmake --build --preset npm --target qualm pass_bench > /dev/null
  printf h > "$work/npm_hello"
  read -r wall_r cpu_r wall base_wall _ < <("$bin/alternate" 101 /dev/null \
    "$PWD/build/npm/package/bin/qualm" "$work/npm_hello" -- node -e '')
  printf '   start-up wall %s x, cpu %s x; medians of 101 runs each, wall %s us against %s us\n' \
    "$wall_r" "$cpu_r" "$(micro "$wall")" "$(micro "$base_wall")"
  for shape in noncommand commands random; do
    "$bin/make_data" "$shape" "$size" > "$work/$shape" && sync "$work/$shape"
    read -r r _ < <(rounds=5 paired "node build/npm/bench/pass_bench.js '$work/$shape' 3" \
      "'$bin/pass_bench' '$work/$shape' 3")
    printf '   pass on %-10s %s x the native pass\n' "$shape" "$r"
    rm -f "$work/$shape"
  done
fi
