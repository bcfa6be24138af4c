#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Idempotent and
# quick when everything is already present. Run as root on Debian 12.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  libpng-dev zlib1g-dev libsndfile1-dev
  libcairo2-dev libfreetype-dev fonts-liberation2
  libx11-dev libxext-dev libxtst-dev libxres-dev x11-utils
  zam-plugins dpf-plugins-vst
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  libz-mingw-w64-dev
  wine wine64 wine32:i386 xvfb xauth
  locales qemu-user
)

# 32-bit wine comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# libpng for the two MinGW targets: a static build from Debian's source
# package, made once into .deps/ (scripts/build-libpng-mingw.sh).
bash "$(dirname "${BASH_SOURCE[0]}")/build-libpng-mingw.sh"

# 32-bit Windows tests run under 32-bit wine. Some kernels (virtual machines
# without 32-bit compatibility mode) refuse to execute i386 programs ("Exec
# format error", status 126); only there qemu's user-mode emulator is
# registered as their interpreter. scripts/wine-run.sh notices it when it
# runs a test (scripts/emulation.sh) and sets what wine needs there.
i386_loader=/lib/i386-linux-gnu/ld-linux.so.2
if [ ! -x "$i386_loader" ]; then
  echo "install-deps: $i386_loader is missing (libc6:i386, a dependency of wine32:i386)" >&2
  exit 1
fi
status=0
"$i386_loader" --version >/dev/null 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  if [ "$status" -ne 126 ]; then
    echo "install-deps: $i386_loader --version failed with status $status" >&2
    exit 1
  fi
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  fi
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:OCF' \
      >/proc/sys/fs/binfmt_misc/register
  else
    # Registered before but switched off.
    echo 1 >/proc/sys/fs/binfmt_misc/qemu-i386
  fi
  "$i386_loader" --version >/dev/null
fi

# A locale with a decimal comma, for the tests that check numbers are written
# with a point whatever the host's locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi
