#!/usr/bin/env bash
# The fuzzing run must fail on any one artifact libFuzzer leaves, of any kind,
# even when the other kinds are absent.
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/corpus-file" "$work/fuzz.log"
if ! "$script" "$work" >/dev/null; then
  echo "a folder without artifacts was taken for a finding" >&2
  exit 1
fi
for kind in crash leak timeout oom slow-unit; do
  touch "$work/$kind-0123abcd"
  if listed=$("$script" "$work"); then
    echo "a lone $kind- artifact went unnoticed" >&2
    exit 1
  fi
  [ "$listed" = "$work/$kind-0123abcd" ] || { echo "not listed: $listed" >&2; exit 1; }
  rm "$work/$kind-0123abcd"
done
echo "fuzz findings: every kind of artifact fails the run"
