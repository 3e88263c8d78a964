#!/usr/bin/env bash
# Fails when a product library of the host build was compiled without the
# sanitizers, which would leave the native tests checking only their own
# buffers. Every object file compiled with AddressSanitizer registers itself
# through __asan_init. UndefinedBehaviorSanitizer leaves a trace only where
# it checks something (unsigned arithmetic needs no check), so it is looked
# for once per library.
# Usage: check_sanitized.sh <ar> <nm> <library.a>...
set -u
ar=$1 nm=$2
shift 2
status=0
for library in "$@"; do
  symbols=$("$nm" -A "$library" 2>/dev/null)
  for object in $("$ar" t "$library"); do
    if ! grep -q "^$library:$object: *U __asan_init\$" <<< "$symbols"; then
      echo "$library: $object is built without AddressSanitizer"
      status=1
    fi
  done
  if ! grep -q ' U __ubsan_handle_' <<< "$symbols"; then
    echo "$library: no object is built with UndefinedBehaviorSanitizer"
    status=1
  fi
done
[ $status -eq 0 ] && echo "every object of $* is built with the sanitizers"
exit $status
