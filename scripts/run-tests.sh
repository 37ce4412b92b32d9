#!/bin/sh
# Builds vadazored and runs every test, on a fresh Debian 12 machine too:
# installs the packages, starts CUPS with a cups-pdf queue as the default
# printer (the printing tests print through it), builds, runs ctest.
set -eu
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

scripts/install-deps.sh cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils sqlite3

# CUPS: start the scheduler when it is not running, and make a cups-pdf queue
# the default printer. cups-pdf writes its files into $HOME/PDF.
# lpstat -r exits 0 either way: read what it says.
cups_running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
if ! cups_running; then
  $SUDO cupsd
  for _ in $(seq 1 50); do cups_running && break; sleep 0.2; done
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
  $SUDO lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null
fi
$SUDO lpadmin -d PDF

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
