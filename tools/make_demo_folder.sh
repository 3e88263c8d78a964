#!/usr/bin/env bash
# Makes a demo folder as the demo is distributed: the launcher (SETUP.EXE)
# beside the engine (KVE.EXE), the game's data files and a Shift-JIS README.
# The data files hold fixed pseudo-random bytes, so every run gives the same
# folder. An existing folder is replaced.
# Usage: tools/make_demo_folder.sh <folder> <launcher.exe> <KVE.exe>
set -eu
[ $# -eq 3 ] || { echo "usage: $0 <folder> <launcher.exe> <KVE.exe>" >&2; exit 2; }
folder=$1 launcher=$2 engine=$3

# Bytes from a linear congruential generator, seeded per file.
write_data() {
  LC_ALL=C perl -e '
    my ($size, $seed) = @ARGV;
    my $state = $seed;
    my $bytes = "";
    for (1 .. $size) { $state = ($state * 1103515245 + 12345) % 2147483648; $bytes .= chr(($state >> 16) & 255); }
    binmode STDOUT; print $bytes;' "$2" "$3" > "$folder/$1"
}

rm -rf "$folder"
mkdir -p "$folder"
cp "$launcher" "$folder/SETUP.EXE"
cp "$engine" "$folder/KVE.EXE"
# Sizes around the copy's 65536-byte blocks: four whole blocks, one block and a byte, an odd remainder.
write_data GRAPHIC.PAK 262144 1
write_data SCRIPT.PAK 65537 2
write_data SOUND.PAK 150001 3
iconv -f UTF-8 -t CP932 > "$folder/README.TXT" <<'TEXT'
ＺＥＲＶＡ－Ｑ７Ｒ　体験版
================================

SETUP.EXE を起動してください。

　プレイ　　　　　　体験版を始めます
　インストール　　　ハードディスクにコピーします
　アンインストール　コピーを削除します
　終了　　　　　　　ランチャーを閉じます
TEXT
sed -i 's/$/\r/' "$folder/README.TXT"
