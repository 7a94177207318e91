#!/usr/bin/env bash
# What `cmake --install` puts on the system, checked as a distribution would:
# the desktop entry and metainfo validate, the icons, manual page and licences
# are there, and the installed program has no RPATH and answers the command
# line without a display. usage: install_check.sh <cmake> <build folder> <version>
set -euo pipefail
cmake="$1" build="$2" version="$3"
fail() { echo "install_check FAILED: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli man identify readelf; do
  command -v "$tool" >/dev/null || fail "no $tool; scripts/install-deps.sh installs it"
done
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share" id=io.github.ordlen.Ordlen

out="$(desktop-file-validate "$share/applications/$id.desktop" 2>&1)" && [ -z "$out" ] || fail "desktop entry: $out"
out="$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1)" || fail "metainfo: $out"
grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" || fail "no metainfo release $version"
zcat "$share/doc/ordlen/changelog.gz" | head -n1 | grep -qF "($version)" || fail "changelog does not start at $version"
for size in 16 22 24 32 48 64 128 256; do
  [ "$(identify -format %wx%h "$share/icons/hicolor/${size}x$size/apps/$id.png")" = "${size}x$size" ] || fail "icon $size"
done
[ -s "$share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
out="$(man --warnings -l "$share/man/man1/ordlen.1.gz" 2>&1 >/dev/null)" && [ -z "$out" ] || fail "man page: $out"
for notice in 'Permission is hereby granted, free of charge' 'Permission to use, copy, modify, and/or distribute'; do
  grep -qF " $notice" "$share/doc/ordlen/copyright" || fail "the copyright lacks the licence '$notice…'"
done

bin="$prefix/bin/ordlen"
! readelf -d "$bin" | grep -qE 'RPATH|RUNPATH' || fail "the program has an RPATH"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$prefix" "$bin" "$@"; }
[ "$(run --version)" = "Ordlen $version" ] || fail "--version printed '$(run --version 2>&1)'"
run --help | grep -q -- '--version' || fail "--help lists no --version"
status=0 && err="$(run --no-such-option 2>&1 >/dev/null)" || status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$err")" -eq 1 ] && grep -q 'no-such-option' <<<"$err" ||
  fail "an unknown option gave status $status and '$err'"
