#!/usr/bin/env bash
# Installs the build into a temporary root and checks that every file is in place, the command
# link points at the program's folder and the desktop entry is valid.
set -u
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail=0
check() { # description, test...
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; fail=1; fi
}

DESTDIR=$root cmake --install "$build" >/dev/null || { echo "FAIL cmake --install"; exit 1; }

prefix=$root/opt/quorvix
check "program in its folder" test -x "$prefix/quorvix"
check "headless evaluator beside it" test -x "$prefix/quorvix-eval"
check "JavaScript worker beside it" test -x "$prefix/quorvix-javascript"
check "read-me beside the program" test -s "$prefix/Readme.txt"
check "command link on the PATH" test -L "$root/usr/bin/quorvix"
check "link points into the folder" test "$(readlink "$root/usr/bin/quorvix")" = /opt/quorvix/quorvix
desktop=$root/usr/share/applications/quorvix.desktop
check "desktop entry" test -f "$desktop"
check "desktop entry runs the command" grep -qx 'Exec=quorvix' "$desktop"
if command -v desktop-file-validate >/dev/null; then
    check "desktop entry is valid" desktop-file-validate "$desktop"
else
    echo "FAIL desktop-file-validate is not installed"; fail=1
fi
check "AppStream metadata" test -s "$root/usr/share/metainfo/example.quorvix.Quorvix.metainfo.xml"
check "manual page" test -s "$root/usr/share/man/man1/quorvix.1.gz"
check "copyright" test -s "$root/usr/share/doc/quorvix/copyright"
for size in 16 32 48 64 128 256; do
    check "${size}px icon" test -s "$root/usr/share/icons/hicolor/${size}x${size}/apps/quorvix.png"
done
check "scalable icon" test -s "$root/usr/share/icons/hicolor/scalable/apps/quorvix.svg"
check "installed program answers" test "$("$prefix/quorvix-eval" -e "2(3)")" = 6
check "installed program answers in JavaScript" \
    test "$("$prefix/quorvix-eval" --lang javascript -e "Math.sqrt(16)")" = 4
check "program tells its version" test "$("$prefix/quorvix" --version && echo done)" = "quorvix 0.1.0
done"
check "program tells its usage" test "$("$prefix/quorvix" --help >/dev/null && echo done)" = done
exit $fail
