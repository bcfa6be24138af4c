#!/usr/bin/env bash
# Builds libpng as a static library for both MinGW-w64 targets, so that the
# Windows DLLs decode their images without importing a libpng DLL. The source
# is Debian's own libpng1.6 source package: its upstream tarball, fetched with
# `apt-get source` through a private apt configuration whose source list is a
# deb-src copy of the machine's Debian entries (the machine's own lists stay
# as they are). zlib is libz-mingw-w64-dev's static libz.a.
#
# Installs into .deps/<triplet>/{include,lib} (git-ignored); a target already
# built is left alone, so running this again is quick. Called by
# scripts/install-deps.sh; run as root on Debian 12.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

version=1.6.39
deps=$PWD/.deps
triplets=(x86_64-w64-mingw32 i686-w64-mingw32)

built() { [ -f "$deps/$1/lib/libpng16.a" ] && [ -f "$deps/$1/include/png.h" ] && [ -f "$deps/$1/.libpng-$version" ]; }

todo=()
for t in "${triplets[@]}"; do built "$t" || todo+=("$t"); done
[ "${#todo[@]}" -eq 0 ] && exit 0

say() { echo "build-libpng-mingw: $*"; }
tarball=$deps/src/libpng1.6_$version.orig.tar.gz

# --- the source, through a private apt configuration -----------------------
if [ ! -f "$tarball" ]; then
  apt=$deps/apt
  rm -rf "$apt"
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$deps/src"
  : >"$apt/sources.list"
  # Only the Debian archives (a path ending in /debian or /debian-security):
  # other vendors' repositories often publish no sources.
  is_debian='[a-z]+://[^ ]*/debian(-security)?/?$'
  shopt -s nullglob
  # One-line entries: "deb [options] URI suite components".
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    awk -v re="$is_debian" '$1 == "deb" {
        uri = ($2 ~ /^\[/) ? $3 : $2
        for (i = 3; i <= NF && uri ~ /\]$/; i++) uri = $(i + 1)
        if (uri ~ re) { sub(/^deb/, "deb-src"); print }
      }' "$f" >>"$apt/sources.list"
  done
  # deb822 stanzas: "Types: deb" becomes "Types: deb-src".
  n=0
  for f in /etc/apt/sources.list.d/*.sources; do
    n=$((n + 1))
    awk -v re="$is_debian" 'BEGIN { RS = ""; ORS = "\n\n" } {
        keep = 0; types = 0
        m = split($0, lines, "\n"); out = ""
        for (i = 1; i <= m; i++) {
          line = lines[i]
          if (line ~ /^URIs:/) { u = line; sub(/^URIs:[ \t]*/, "", u); split(u, us, /[ \t]+/); if (us[1] ~ re) keep = 1 }
          if (line ~ /^Types:/) { line = "Types: deb-src"; types = 1 }
          out = out line "\n"
        }
        if (keep && types) print out
      }' "$f" >"$apt/sources.list.d/debian-$n.sources"
  done
  if ! grep -qs . "$apt/sources.list" "$apt/sources.list.d/"*.sources; then
    say "no Debian entry found in the machine's apt source lists" >&2
    exit 1
  fi
  aptopts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
    -o "APT::Sandbox::User=root")
  say "fetching the libpng1.6 source package ($apt/apt.log)"
  apt-get "${aptopts[@]}" -qq update >"$apt/apt.log" 2>&1 || say "apt-get update reported errors"
  # The security archive may list a Debian revision whose own files are
  # missing there; the upstream tarball is all that is needed, so errors
  # about the others are only logged.
  (cd "$deps/src" && apt-get "${aptopts[@]}" -qq source --download-only "libpng1.6") >>"$apt/apt.log" 2>&1 || true
  if [ ! -f "$tarball" ]; then
    say "$tarball was not fetched:" >&2
    tail -5 "$apt/apt.log" >&2
    exit 1
  fi
fi

# --- one static build per target --------------------------------------------
for t in "${todo[@]}"; do
  started=$SECONDS
  say "building libpng $version for $t"
  work=$deps/build/$t
  rm -rf "$work" "$deps/$t"
  mkdir -p "$work"
  tar -xzf "$tarball" -C "$work" --strip-components=1
  cflags="-O2"
  # The project's own 32-bit floating-point settings.
  [ "$t" = i686-w64-mingw32 ] && cflags="-O2 -msse2 -mfpmath=sse"
  (
    cd "$work"
    ./configure -q --host="$t" --prefix="$deps/$t" --enable-static --disable-shared \
      CC="$t-gcc-posix" AR="$t-ar" RANLIB="$t-ranlib" CFLAGS="$cflags" \
      CPPFLAGS="-I/usr/$t/include" LDFLAGS="-L/usr/$t/lib"
    # The library and its headers only (no test programs or tools).
    make -s -j2 libpng16.la
    make -s install-libLTLIBRARIES install-pkgincludeHEADERS install-nodist_pkgincludeHEADERS install-header-links \
      install-library-links
  ) >"$deps/build/$t.log" 2>&1 || {
    say "the build for $t failed; see $deps/build/$t.log" >&2
    tail -20 "$deps/build/$t.log" >&2
    exit 1
  }
  touch "$deps/$t/.libpng-$version"
  rm -rf "$work"
  say "$t done in $((SECONDS - started)) s"
done
