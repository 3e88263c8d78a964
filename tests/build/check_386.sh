#!/usr/bin/env bash
# The shipping launcher runs on the first machines of Windows 95 and NT 3.51:
# every instruction of its code must be one the 386 has, libgcc's helpers
# included, and nothing may wait for static initialisers, which no C runtime
# runs here. The linker's map names the function around each address.
# Usage: check_386.sh OBJDUMP EXE MAP
set -u
export LC_ALL=C
objdump=$1 exe=$2 map=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Instructions of later processors, as objdump spells them: conditional moves
# and FPU compares into flags (Pentium Pro), bswap, cmpxchg and xadd (486),
# cpuid, rdtsc and cmpxchg8b (Pentium), the long nops (0F 1F) and endbr,
# fast system calls, fences, prefetches and bit counts; and any MMX, SSE or
# AVX register.
later='^(cmov|fcmov|fu?comi|bswap|cmpxchg|xadd|cpuid|rdtsc|rdpmc|nop[wl]|endbr|sysenter|sysexit|syscall|[lms]fence|clflush|prefetch|popcnt|lzcnt|tzcnt|movbe|fisttp|emms)'

# Function symbols of the map, "address name", sorted by address.
symbols=$(awk '$1 ~ /^0x[0-9a-f]+$/ && NF == 2 && $2 !~ /^(\.|__[A-Z_]+__$)/ { print $1, $2 }' "$map" \
  | while read -r address name; do printf '%08x %s\n' "$((address))" "$name"; done | sort)

# Names the symbol at or before an address.
function_at() {
  awk -v at="$1" '$1 <= at { name = $2 } END { print (name ? name : "?") }' <<<"$symbols"
}

disassembly=$("$objdump" -d --no-show-raw-insn "$exe") || { echo "cannot disassemble $exe"; exit 1; }
found=$(awk -v later="$later" -F'\t' '
  /^ *[0-9a-f]+:\t/ {
    address = $1; sub(/^ */, "", address); sub(/:$/, "", address)
    instruction = $2
    mnemonic = instruction; sub(/ .*/, "", mnemonic)
    if (mnemonic ~ later || instruction ~ /%(x|y|z)?mm[0-9]/) print address, instruction
  }' <<<"$disassembly")
count=0
while read -r address instruction; do
  [ -n "$address" ] || continue
  count=$((count + 1))
  [ $count -le 40 ] && fail "$(function_at "$(printf '%08x' "0x$address")") at 0x$address: $instruction"
done <<<"$found"
[ $count -gt 40 ] && echo "... and $((count - 40)) more"
[ $count -eq 0 ] && echo "ok:   every instruction of $(grep -c $'^ *[0-9a-f]*:\t' <<<"$disassembly") is the 386's"

# Input sections that only a C runtime's start-up would act on. The map puts a
# long section name on a line of its own, its address and size on the next.
static_init=$(awk '
  pending != "" { print pending, $0; pending = ""; next }
  /^ \.(ctors|dtors|init_array|fini_array|tls|CRT\$X[CI])[^ ]*$/ { pending = $1; next }
  /^ \.(ctors|dtors|init_array|fini_array|tls|CRT\$X[CI])[^ ]* +0x/ { print }' "$map" \
  | while read -r section _ size object; do
      [ -n "$size" ] && [ $((size)) -gt 0 ] && echo "$section from $object"
    done)
if [ -n "$static_init" ]; then
  while read -r line; do fail "static initialisation section $line"; done <<<"$static_init"
else
  echo "ok:   no object needs static initialisers or thread-local storage"
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
