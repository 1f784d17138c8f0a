#!/usr/bin/env bash
# The performance figures of qualm, each judged against its goal; exits 1 if
# any misses it. Times and rates are ratios against a baseline measured in the
# same run by bench/alternate.c; absolute figures are shown for scale only.
# Usage: bash bench/run.sh     (about six minutes; needs cc, tr, strace, emscripten, node, npm)
set -euo pipefail
cd "$(dirname "$0")/.."
command -v strace > /dev/null || { echo "bench/run.sh needs strace" >&2 && exit 2; }

# qualm as the .deb has it and, fully static, as the tarballs have it; the
# pass alone; the C baselines and tools, built beside it.
cmake --preset release > /dev/null
cmake --build --preset release --target qualm pass_bench alternate c_writer > /dev/null
cmake --preset static > /dev/null
cmake --build --preset static --target qualm > /dev/null
cmake --preset npm > /dev/null
cmake --build --preset npm --target npm_package pass_bench > /dev/null
PATH=$PWD/build/release:$PWD/build/release/bench:$PATH
song=$PWD/examples/song.out
work=$(mktemp -d "${TMPDIR:-/var/tmp}/qualm-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
size=$((256 << 20))
missed=0

calc() { awk "BEGIN { printf \"$1\", $2 }"; }  # calc FORMAT EXPRESSION
judge() {  # judge FIGURE OP GOAL: prints the figure, its goal and whether it is met
  local verdict=met
  awk -v v="$1" -v g="$3" "BEGIN { exit !(v $2 g) }" || { verdict='NOT MET' && ((++missed)); }
  printf '%s (%s %s: %s)' "$1" "$2" "$3" "$verdict"
}
row() {  # row LABEL OP GOAL COMMAND...: judges the ratio COMMAND prints; its figures in f
  read -ra f < <("${@:4}")
  printf '   %-10s ' "$1" && judge "${f[0]}" "$2" "$3"
}

echo "== 1. the pass on 256 MiB in memory, best of nine runs, against tr -dc; 9 rounds"
against_tr() { alternate 9 "$work/data" own pass_bench "$work/data" "$1" -- tr -dc '+9HQhq-'; }
for shape in noncommand commands random; do
  c_writer data "$shape" "$size" > "$work/data"
  sync "$work/data"  # no writeback while measuring
  row "$shape" '<=' 1.5 against_tr 9
  read -r first _ < <(against_tr 1)
  read -r node _ < <(alternate 5 /dev/null null node build/npm/bench/pass_bench.js "$work/data" \
    3 -- pass_bench "$work/data" 3)
  printf '; the first run alone, into fresh memory: %s; for scale: %s MB/s, and under node (the' \
    "$first" "$(calc %.0f "$size / ${f[2]} / 1e6")"
  printf ' npm package), reading it and three runs take %s times as long\n' "$node"
done

echo "== 2. start-up of a file holding h, against C writing the same, reading a key (the npm"\
  "package's command against node alone); 401 rounds (101)"
printf h > "$work/hello"
for build in release static; do  # the release build links the C library dynamically
  goal=$([[ $build == release ]] && echo 1.1 || echo 1.0)
  row "$build wall" '<=' "$goal" alternate 401 /dev/null null "build/$build/qualm" "$work/hello" \
    -- c_writer hello
  printf ', cpu ' && judge "${f[1]}" '<=' "$goal"
  printf '; medians: wall %ss against %ss, cpu %ss against %ss\n' "${f[@]:2:4}"
done
row 'npm wall' '<=' 1.5 alternate 101 /dev/null null build/npm/package/bin/qualm "$work/hello" \
  -- node -e ''  # the npm package's command, against node alone
printf '; medians %ss against %ss\n' "${f[2]}" "${f[3]}"

echo "== 3. the run of 256 MiB ending in an h, against reading it, looking at each byte; 21 rounds"
{ c_writer data noncommand $((size - 1)); printf h; } > "$work/data"
sync "$work/data"
row time '<=' 1.15 alternate 21 /dev/null null qualm "$work/data" -- c_writer read "$work/data"
printf '; medians %ss against %ss\n   memory against the file ' "${f[2]}" "${f[3]}"
judge "$(calc %.2f "${f[6]} * 1024 / $size")" '<=' 1.1 && printf '; %s KiB at peak\n' "${f[6]}"

echo "== 4. 1,000 songs, against C with the same writes; 9 rounds"
head -c 1000 /dev/zero | tr '\0' 9 > "$work/songs"
for how in null pipe; do
  row "into $how" '<=' 1.3 alternate 9 /dev/null "$how" qualm "$work/songs" -- c_writer song \
    "$song" 1000
  echo
done

endless() {  # endless LABEL UNIT BYTES PROGRAM BASELINE...: BYTES to the UNIT
  row "$1" '>=' 0.8 alternate 15 /dev/null rate qualm "$4" -- "${@:5}"
  printf '; for scale: %s against %s %s/s\n' "$(calc %.0f "${f[2]} / $3")" \
    "$(calc %.0f "${f[3]} / $3")" "$2"
}
echo "== 5. endless echo into a pipe, against C writing each repetition at once; 15 rounds of 1 s"
printf 'q-\n' > "$work/echo3"
{ printf 'q-' && c_writer data noncommand $(((1 << 20) - 2)); } > "$work/echo1m"
for program in echo3 echo1m; do
  endless "$program" repetitions $(($(wc -c < "$work/$program") + 1)) "$work/$program" \
    c_writer echo "$work/$program"
done
echo "== 6. endless song into a pipe, against the C writer; 15 rounds of 1 s"
printf '9-' > "$work/song"
endless song songs "$(wc -c < "$song")" "$work/song" c_writer song "$song" 0

echo "== 7. a file's reads; a line from a redirected file against the file as argument"
for bytes in 100000 10485760; do  # under 256 KiB in one read, else 256 KiB and the rest
  head -c "$bytes" /dev/zero > "$work/zeros"
  reads=$(strace -qq -P "$work/zeros" -e trace=read qualm "$work/zeros" < /dev/null 2>&1 \
    > /dev/null | awk '{ print $NF }' | paste -sd ' ')
  expected=$( ((bytes <= 262144)) && echo "$bytes 0" || echo "262144 $((bytes - 262144)) 0")
  printf '   read calls for %8s bytes: ' "$bytes" && judge "$reads" == "$expected" && echo
done
# h, then 1 MiB without a command or a newline, then a newline: one line.
{ printf h; c_writer data noncommand $((1 << 20)) | tr '\n' x; echo; } > "$work/line"
row '1 MiB line, 9 rounds:' '<=' 2 alternate 9 "$work/line" null qualm -- qualm "$work/line"
printf '; medians %ss against %ss\n' "${f[2]}" "${f[3]}"

echo "== 8. the npm package's run(), as its caller meets it"
read -ra f < <(node bench/npm_run.mjs build/npm/package)
printf '   ticks of a 1 ms timer during an endless run, against none running: '
judge "${f[0]}" '>=' 0.8
printf ' (%s against %s a second)\n' "${f[4]}" "${f[3]}"
printf '   from abort() to the end of a run: %s ms, for scale\n' "${f[1]}"
printf '   200 runs at once, against 200 in a row: ' && judge "${f[2]}" '<=' 0.9 && echo

((missed == 0)) || { echo "== $missed figures missed their goals" && exit 1; }
