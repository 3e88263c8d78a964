#!/usr/bin/env bash
# Builds what the benchmarks need and prints their figures: the launcher's
# copy beside other ways of copying under the same Wine, the answer to the
# stop button, start-up to a shown window, the picture's decoding under Wine
# and natively, and the size of the shipping executable with and without the
# picture. Each figure is the median of several runs in this one invocation,
# with the runs' range beside it as the machine's noise. Nothing here passes
# or fails: the timing targets are read off the figures.
# Usage: tools/bench.sh
#   KVE_BENCH_RUNS   runs of each copy (default 7)
#   KVE_BENCH_CPU    the processor that Wine's server and the timed programs
#                    share (default the last one); "none" leaves them to the
#                    scheduler, which makes a copy's steps twice as slow and
#                    their times twice as spread
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${KVE_BENCH_RUNS:-7}

"$root/tools/install-packages.sh"
"$root/tools/build.sh" host x86_64 i686

source "$root/cmake/wine-env.sh"

# Wine's server, its desktop and the timed programs share one processor, so
# that each step's message round trip stays on it; the benchmark programs move
# themselves to the others to watch (tests/bench/support/cpu_placement.h). A
# server already running is replaced by one started there.
cpus=$(nproc)
wine_cpu=${KVE_BENCH_CPU:-$((cpus - 1))}
on_wine_cpu=()
if [ "$wine_cpu" != none ] && [ "$cpus" -ge 2 ]; then
  on_wine_cpu=(taskset -c "$wine_cpu")
  export KVE_BENCH_CPU=$wine_cpu
else
  unset KVE_BENCH_CPU
fi
kve_start_session "${on_wine_cpu[@]}"

bench_programs=build/x86_64/tests/bench
# Wine's desktop process keeps a program's output open, so the programs write
# their figures to the terminal and their complaints to a file.
log=build/bench.log
: > "$log"
run_windows() {
  "${on_wine_cpu[@]}" wine "$bench_programs/$1.exe" "${@:2}" 2>>"$log" || { echo "$1 failed, see $log" >&2; exit 1; }
}

# The source folders lie on the Wine drive C:, so that Linux's cp copies the
# very files that the Windows programs copy. Made once, kept for later runs.
drive_c=$WINEPREFIX/drive_c
sources=$drive_c/kvebench
make_large_source() {
  mkdir -p "$sources/large"
  for i in $(seq -w 1 20); do head -c $((20 * 1048576)) /dev/urandom > "$sources/large/DATA$i.PAK"; done
}
# 2,000 files of 4 to 64 KiB, sizes from a fixed seed.
make_small_source() {
  mkdir -p "$sources/small"
  perl -e '
    srand(7);
    open(my $random, "<", "/dev/urandom") or die;
    for my $i (1 .. 2000) {
      my $size = 4096 + int(rand(65536 - 4096 + 1));
      read($random, my $bytes, $size);
      open(my $file, ">", sprintf("%s/F%04d.DAT", $ARGV[0], $i)) or die;
      binmode $file; print $file $bytes; close $file;
    }' "$sources/small"
}
# The large files five times over, as hard links: a copy long enough to click
# its stop button many times.
make_long_source() {
  mkdir -p "$sources/long"
  for copy in 1 2 3 4 5; do
    for file in "$sources/large"/*; do ln "$file" "$sources/long/$copy$(basename "$file")"; done
  done
}
for source in large small long; do
  [ -f "$sources/$source.ready" ] && continue
  rm -rf "${sources:?}/$source"
  "make_${source}_source"
  touch "$sources/$source.ready"
done

# Linux's cp on the same folders: milliseconds of each run, comma-separated.
time_cp() {
  local source=$1 target=$1.cp times=() start microseconds
  for _ in $(seq 1 "$runs"); do
    rm -rf "$target"; mkdir "$target"
    start=$(date +%s%N)
    cp "$source"/* "$target"/
    microseconds=$(( ($(date +%s%N) - start) / 1000 ))
    times+=("$((microseconds / 1000)).$(printf %03d $((microseconds % 1000)))")
  done
  rm -rf "$target"
  local IFS=,
  echo "${times[*]}"
}

echo "== Sizes of the shipping (i686) executable"
with=$(stat -c %s build/i686/launcher/launcher.exe)
without=$(stat -c %s build/i686/tests/bench/launcher_without_picture.exe)
picture=$(stat -c %s build/i686/resources/backcg.bin)
printf '  %-44s %9d bytes\n' "launcher.exe" "$with" "launcher.exe without BACKCG" "$without" \
  "the picture's share" "$((with - without))" "the BACKCG resource itself" "$picture"

echo
echo "== Picture decoding, native (Google Benchmark)"
build/host/bin/decode_benchmark 2>&1 | sed -n '/^Benchmark\|^---\|_median\|_min\|_max\|medians/p'

echo
echo "== Under Wine${KVE_BENCH_CPU:+ (the server and the timed programs on processor $KVE_BENCH_CPU)}"
run_windows decode_bench 200
run_windows startup_bench 10
run_windows copy_bench "Copy, large files" 'C:\kvebench\large' "$runs" "$(time_cp "$sources/large")"
run_windows copy_bench "Copy, small files" 'C:\kvebench\small' "$runs" "$(time_cp "$sources/small")"
run_windows stop_bench 'C:\kvebench\long' 20
