#!/usr/bin/env bash
# Installs the Debian packages that building and testing TEVRA need, and only
# those that are missing. Quick no-op when everything is present.
# Works as root or through sudo.
set -euo pipefail

packages=(
  g++            # compiler
  clang          # second compiler, fuzz targets (libFuzzer)
  libclang-rt-14-dev
  cmake
  ninja-build
  make
  pkg-config
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libuchardet-dev      # tells the character set of logs from other programs
  qt6-base-dev         # drawing on images, PDF and printers; the editor
  qt6-l10n-tools       # lrelease builds the English interface into the program
  qt6-translations-l10n  # Qt's own dialog texts in Japanese
  qt6-qpa-plugins      # the offscreen platform for headless rendering and tests
  libqt6svg6           # SVG images placed on cards
  libqt6printsupport6  # printers of the system (CUPS) and PDF pages
  fonts-ipafont-mincho # Japanese faces that stand in for the Windows ones
  fonts-ipafont-gothic
  poppler-utils        # tests look at rendered PDF pages
  unixodbc-dev         # the database bridge to logs kept in databases
  libsqliteodbc        # the SQLite ODBC driver the bridge's tests use
  dbus-daemon          # the automation tests run the program on a private session bus
  python3-dbus         # the automation example client (and its test)
  help2man             # the manual page of tevra-batch, made from its --help
  glabels-data         # the catalogue of commercial label sheets (optional at run time)
  dpkg-dev             # make package: dpkg-shlibdeps finds the library dependencies
  appstream            # make package checks the software centres' description
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
