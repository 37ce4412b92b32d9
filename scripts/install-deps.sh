#!/bin/sh
# Installs what building and running vadazored needs on Debian 12.
# Runs apt-get through sudo unless already root.
set -eu
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ make \
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev \
  qt6-gtk-platformtheme libqt6printsupport6 \
  fonts-wqy-zenhei fonts-noto-cjk fonts-arphic-ukai \
  "$@"
