#!/usr/bin/env bash
# Installs, on Debian 12 as root, whatever the build and the tests need and is missing.
# Quiet and quick when everything is present.
set -euo pipefail

packages=(
  make cmake g++ pkg-config zlib1g-dev googletest
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 wine32:i386
  xvfb xauth imagemagick fonts-wqy-microhei locales
  # Real key presses on the virtual screen, for the keyboard tests.
  xdotool
  # Authenticode signing of the shipped programs, and the tests' throwaway certificates.
  osslsigncode openssl
  # The vendor's kit (make kit) and its test.
  zip unzip
  # Fuzz targets: clang, libFuzzer and the sanitizer runtimes; llvm puts llvm-symbolizer on the path.
  clang-14 libclang-rt-14-dev llvm
)

# The UI languages the tests run the installer in; Wine takes file-name encoding from them.
locales=(en_US zh_CN)

is_installed() {
  [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

has_locale() {
  locale -a 2>/dev/null | grep -qix "$1.utf8"
}

missing=()
for package in "${packages[@]}"; do
  is_installed "$package" || missing+=("$package")
done
missing_locales=()
for name in "${locales[@]}"; do
  has_locale "$name" || missing_locales+=("$name")
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_locales[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages or locales (${missing[*]} ${missing_locales[*]}); run 'make deps' as root" >&2
  exit 1
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
for name in "${missing_locales[@]}"; do
  echo "install-deps: generating the $name.UTF-8 locale"
  localedef -i "$name" -f UTF-8 "$name.UTF-8"
done
