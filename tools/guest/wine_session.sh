#!/usr/bin/env bash
# Wine's session in the guest for a whole test run: the display and, for each
# locale the tests run in, the prefix and a server that stays up, so that each
# test program starts in seconds rather than starting Wine's services anew.
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
for locale in ja_JP.UTF-8 C.UTF-8; do
  (
    export KVE_WINE_LOCALE=$locale
    source cmake/wine-env.sh
    kve_ensure_display && kve_ensure_prefix || exit 1
    wineserver -k 2>/dev/null
    wineserver -w
    wineserver -p
  ) || exit 1
done
