#!/usr/bin/env bash
# Static checks of a built launcher: what its PE header, export table, import
# table and resources say.
# Usage: check_executable.sh OBJDUMP EXE ARCH IMPORT_LIST WINDRES
set -u
# Read the tools' output in English, whatever locale the caller runs in.
export LC_ALL=C
objdump=$1 exe=$2 arch=$3 import_list=$4 windres=$5
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

headers=$("$objdump" -p "$exe") || { echo "cannot read $exe"; exit 1; }

grep -q 'Subsystem[[:space:]]*00000002' <<<"$headers" && pass "GUI subsystem" || fail "not a GUI program"
if [ "$arch" = i686 ]; then
  grep -q 'file format pei-i386' <<<"$("$objdump" -f "$exe")" && pass "PE32 for i386" || fail "not PE32 i386"
  grep -qP 'MajorSubsystemVersion\t4$' <<<"$headers" && grep -qP 'MinorSubsystemVersion\t0$' <<<"$headers" \
    && pass "subsystem version 4.0" || fail "subsystem version is not 4.0"
fi
grep -qP 'Time/Date\t\tThu Jan  1 00:00:00 1970' <<<"$headers" && pass "no time stamp in the header" \
  || fail "the header carries a time stamp"

# Exported by plain name, without stdcall decoration.
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | awk '/^\t\[/ {print $NF}' | sort | tr '\n' ' ')
[ "$exports" = "DlgInstallProc DlgMainProc DlgSelectProc " ] && pass "exports: $exports" \
  || fail "exports are '$exports'"

# Only the system's own DLLs: the launcher has no C runtime.
dlls=$(grep 'DLL Name:' <<<"$headers" | awk '{print toupper($3)}' | sort -u | tr '\n' ' ')
for dll in $dlls; do
  case $dll in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL) ;;
    *) fail "imports $dll" ;;
  esac
done
pass "imports only system DLLs: $dlls"

# Exactly the functions on the list, each old enough for NT 3.51 and Windows 95.
imported=$(awk '/DLL Name:/ {dll = toupper($3); next}
                dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ {print dll "!" $NF}' <<<"$headers" | sort)
listed=$(grep -v '^#' "$import_list" | sort)
unlisted=$(comm -23 <(echo "$imported") <(echo "$listed"))
unused=$(comm -13 <(echo "$imported") <(echo "$listed"))
for function in $unlisted; do fail "imports $function, which $(basename "$import_list") lacks"; done
for function in $unused; do fail "does not import $function, which $(basename "$import_list") lists"; done
[ -z "$unlisted$unused" ] && pass "imports exactly the $(wc -l <<<"$listed") functions of $(basename "$import_list")"

# The application manifest (type 24, id 1) runs the launcher with the player's
# own rights on Windows Vista and later: it asks for administrator rights only
# to install or uninstall. The level must be there, or Windows' installer
# detection would elevate a launcher named SETUP.EXE. It neither declares DPI
# awareness nor asks for the visual styles of Common Controls 6.
manifest=$("$windres" -J coff -O rc -i "$exe" | sed -n '/^1 24 /,/^END/p')
grep -q 'level=""asInvoker"" uiAccess=""false""' <<<"$manifest" \
  && pass "manifest runs the launcher with the player's own rights" || fail "no manifest with asInvoker"
grep -q '<assemblyIdentity type=""win32""' <<<"$manifest" \
  && pass "manifest names the program's identity, which Windows XP needs" || fail "manifest without an identity"
grep -qiE '>(true|per ?monitor)[^<]*</dpiAware>|<dpiAwareness|Common-Controls' <<<"$manifest" \
  && fail "manifest declares DPI awareness or visual styles" || pass "manifest keeps the classic look, unscaled by itself"

# Symbols are stripped.
[ -z "$("$objdump" -t "$exe" 2>/dev/null | grep -E '^\[ *[0-9]+\]' | head -1)" ] && pass "stripped" || fail "not stripped"

# The resources the program loads by name are there (names are UTF-16 in .rsrc).
rsrc=$("$objdump" -s -j .rsrc "$exe" | awk '/^ [0-9a-f]+ / {print $2 $3 $4 $5}' | tr -d '\n')
for name in DLG_MAIN DLG_SELECT DLG_INST BACKCG ICON; do
  utf16=$(printf '%s' "$name" | iconv -t UTF-16LE | od -An -tx1 | tr -d ' \n')
  grep -q "$utf16" <<<"$rsrc" && pass "resource $name" || fail "no resource $name"
done

echo "$failures failed"
[ "$failures" -eq 0 ]
