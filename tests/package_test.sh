#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Debian package from the build tree and checks what apt would put on a user's
# machine: the program, the files a desktop looks for, each valid, and the dependencies.
# Usage: package_test.sh CPACK BUILD_DIR WORK_DIR
set -eu
cpack=$1
build=$2
work=$3

for tool in "$cpack" dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli file groff; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is missing; scripts/deps installs it"
        exit 77
    fi
done

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
set -- "$work"/voltiva_*_*.deb
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "FAIL: expected one package, found: $*"
    exit 1
fi
deb=$1

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Control fields. Depends is computed from the binary, plus the font the screens are laid
# out for.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = voltiva ] || fail "Package: $(field Package)"
[ "$(field Maintainer)" = "Voltiva developers <voltiva@example.org>" ] || fail "Maintainer: $(field Maintainer)"
depends=$(field Depends)
for dep in libqt6widgets6 libqt6gui6 libqt6svg6 libqt6core6 libstdc++6 libc6 fonts-wine; do
    case ", $depends," in
    *", $dep ("* | *", $dep,"*) ;;
    *) fail "Depends lacks $dep: $depends" ;;
    esac
done

# Exactly these files: nothing of the build's tools or tests slips in, nothing is lost.
sizes="16 22 24 32 48 64 128 256"
{
    echo usr/bin/voltiva
    echo usr/share/applications/voltiva.desktop
    echo usr/share/metainfo/org.example.voltiva.metainfo.xml
    echo usr/share/man/man1/voltiva.1
    echo usr/share/doc/voltiva/copyright
    for size in $sizes; do
        echo "usr/share/icons/hicolor/${size}x${size}/apps/voltiva.png"
    done
    echo usr/share/icons/hicolor/scalable/apps/voltiva.svg
} | sort >"$work/expected"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | sort >"$work/contents"
diff -u "$work/expected" "$work/contents" || fail "contents differ from the list above (- expected, + packaged)"

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share

binary=$root/usr/bin/voltiva
case "$(file -b "$binary")" in
*ELF*executable*", stripped"*) ;;
*) fail "usr/bin/voltiva is not a stripped executable: $(file -b "$binary")" ;;
esac
if LC_ALL=C ldd "$binary" | grep 'not found'; then
    fail "usr/bin/voltiva needs libraries that are not installed"
fi

for size in $sizes; do
    icon=$share/icons/hicolor/${size}x${size}/apps/voltiva.png
    [ ! -f "$icon" ] && continue
    case "$(file -b "$icon")" in
    "PNG image data, $size x $size,"*) ;;
    *) fail "${size}x${size} icon is $(file -b "$icon")" ;;
    esac
done
svg=$share/icons/hicolor/scalable/apps/voltiva.svg
if [ -f "$svg" ]; then
    case "$(file -b "$svg")" in
    *SVG*) ;;
    *) fail "scalable icon is $(file -b "$svg")" ;;
    esac
fi

desktop=$share/applications/voltiva.desktop
desktop-file-validate "$desktop" || fail "voltiva.desktop does not validate"
value() { sed -n "s/^$1=//p" "$desktop"; }
[ -x "$root/usr/bin/$(value Exec)" ] || fail "Exec=$(value Exec) is not in usr/bin"
[ -f "$share/icons/hicolor/48x48/apps/$(value Icon).png" ] || fail "Icon=$(value Icon) has no hicolor icon"

# Checks the metainfo together with the desktop entry its <launchable> names.
appstreamcli validate-tree --no-net --strict "$root" || fail "the AppStream metadata does not validate"

warnings=$(groff -man -ww -z "$share/man/man1/voltiva.1" 2>&1)
[ -z "$warnings" ] || fail "man page: $warnings"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed for $deb"
    exit 1
fi
echo "$deb: all checks passed"
