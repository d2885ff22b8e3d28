# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced, not run, by the other scripts here (run, test, bench, screenshot, check-package):
# the Debian packages the build and the tests use, vlajkor_install_missing to install those
# of them that are missing, and vlajkor_build to configure and build into a folder of the
# project (build/ for the program and its tests).

vlajkor_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

vlajkor_install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    ((EUID == 0)) || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What a release is made of and the time written into all of it. In a git checkout, the files
# git knows (committed or not yet ignored) and the last commit's time. In a tree unpacked from
# the Windows source archive, which has no history, every file but build output, and the
# time the archive recorded in SOURCE_DATE_EPOCH, so that the release is made again as it was.
vlajkor_source_files() {
    if [[ -e $vlajkor_root/.git ]]; then
        git -C "$vlajkor_root" ls-files -z --cached --others --exclude-standard
    else
        (cd "$vlajkor_root" && find . -path ./release -prune -o -path './build*' -prune -o -type f -printf '%P\0')
    fi
}
vlajkor_source_date() {
    if [[ -e $vlajkor_root/.git ]]; then
        git -C "$vlajkor_root" log -1 --format=%ct
    else
        cat "$vlajkor_root/SOURCE_DATE_EPOCH"
    fi
}

vlajkor_build() {
    local dir=$1; shift
    cmake -S "$vlajkor_root" -B "$vlajkor_root/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$vlajkor_root/$dir" -j"$(nproc)"
}

# Runs CTest in a build folder, then says how many tests skipped and why: a test that could
# not run is reported as skipped, never as passed, and its reasons are the SKIPPED lines it
# printed (tests/acceptance/desktop.py).
vlajkor_ctest() {
    local dir=$1; shift
    ctest --test-dir "$dir" --output-on-failure --output-junit junit.xml "$@"
    python3 - "$dir/junit.xml" <<'SKIPPED'
import re, sys, xml.etree.ElementTree as tree
skipped = [case for case in tree.parse(sys.argv[1]).iter("testcase") if case.find("skipped") is not None]
print(f"{len(skipped)} test{'' if len(skipped) == 1 else 's'} skipped{':' if skipped else '.'}")
for case in skipped:
    reasons = dict.fromkeys(re.findall(r"^SKIPPED [^:]*: (.*)$", case.findtext("system-out") or "", re.M))
    print(f"  {case.get('name')}: {'; '.join(reasons) or 'no reason given'}")
SKIPPED
}

# Where Debian and Ubuntu share a name for a package, that name is used: libjpeg-dev brings
# Debian's libjpeg62-turbo-dev.
# dpkg-dev: dpkg-buildflags gives the optimised build Debian's hardening flags.
# libxcb1-dev: the window asks an X11 window manager for its frame before it is shown.
# libwayland-dev, wayland-protocols: the program asks a Wayland compositor, before Qt starts,
# whether it draws title bars and how it scales the monitors.
VLAJKOR_BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev libjpeg-dev libxcb1-dev libwayland-dev wayland-protocols fonts-dejavu-core dpkg-dev)
# What the tests need on top of the build.
VLAJKOR_TEST_PACKAGES=(
    # acceptance tests: an X server, input events, screenshots, the accessibility bus
    xvfb xdotool x11-xserver-utils imagemagick x11-utils dbus-daemon at-spi2-core python3 python3-pyatspi
    # the window under real window managers, one of which (Window Maker) frames a new
    # window without regard to its gravity, and under a Wayland compositor
    xfwm4 wmaker wmctrl weston qt6-wayland
    # the window read out by a real screen reader
    orca
    # dark colour schemes as desktops hand them to Qt: GNOME's through Qt's GTK theme, and qt6ct's
    qt6-gtk-platformtheme qt6ct
    # install and package checks (dpkg-shlibdeps comes with the build's dpkg-dev); cpack's
    # DEB generator runs `file` on what it packs
    desktop-file-utils appstream file
    # the package's checkers: lintian, which reads manual pages with man-db's tools, and
    # devscripts' hardening-check
    lintian man-db devscripts
    # every file's licence; reuse asks git which files are the project's and which are
    # build output
    reuse git
)

# What scripts/test-desktops adds: GNOME Shell with its Xwayland, and KWin with its Breeze
# title bars; dbus-run-session starts the shell's own session bus, and dbus-send runs KWin's
# scripts, which tell the test where KWin put the window.
VLAJKOR_DESKTOP_PACKAGES=(gnome-shell xwayland kwin-wayland kwin-x11 kwin-style-breeze dbus-daemon dbus-bin)
# Plasma 6's colour schemes and Breeze style for Qt 6 programs, for the Breeze Dark check;
# only where Qt is new enough for Plasma 6 (Debian 13): Debian 12's are Plasma 5's, for Qt 5.
VLAJKOR_PLASMA6_PACKAGES=(plasma-integration kde-style-breeze)

# How the tests of the sanitizer build (-DVLAJKOR_SANITIZE=ON) run: any finding, leaks
# included, fails the test that met it. The model test walks half its steps there, since
# each costs about twice as much.
VLAJKOR_SANITIZER_ENV=(
    ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    VLAJKOR_MODEL_STEPS=50000
)
