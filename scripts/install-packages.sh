#!/bin/sh
# Installs the Debian packages a task needs, only those not yet installed.
#   install-packages.sh run    what building and starting Velmora needs
#   install-packages.sh test   that, plus what the tests, benchmarks and fuzzing need
set -eu

run_packages="cmake g++ make qt6-base-dev qt6-translations-l10n"
test_packages="$run_packages libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth xdotool x11-apps netpbm tesseract-ocr tesseract-ocr-eng libfinance-qif-perl"

case ${1:-} in
    run) wanted=$run_packages ;;
    test) wanted=$test_packages ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=
for package in $wanted; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $package"
done
[ -n "$missing" ] || exit 0

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installiere:$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
