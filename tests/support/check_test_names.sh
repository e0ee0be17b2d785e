#!/bin/sh
# Fails when a test is listed under an unreadable name: anything but letters, digits and "_./",
# or a case of a parametrised suite known by its index alone.
# Usage: check_test_names.sh CTEST (run in the build folder)
names=$("$1" -N | sed -n 's/^ *Test *#[0-9]*: //p')
if [ -z "$names" ]; then
    echo "no tests listed"
    exit 1
fi
bad=$(printf '%s\n' "$names" | LC_ALL=C grep -E '[^A-Za-z0-9_./]|/[0-9]+$')
if [ -n "$bad" ]; then
    printf '%s\n' "$bad" | sed 's/^/unreadable test name: /'
    exit 1
fi
