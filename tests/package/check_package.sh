#!/usr/bin/env bash
# Unpacks the Debian package that make_package.cmake made into a temporary folder and checks it.
#
#   check_package.sh <package folder> <version> <version text> <app id> files
#       control fields, exactly the expected files in their places, the desktop entry and the
#       AppStream metainfo validated without warnings
#   check_package.sh <package folder> <version> <version text> <app id> start <real_window.sh>
#       the unpacked program shows its window under a virtual X server
set -euo pipefail
folder=$1 version=$2 version_text=$3 id=$4 mode=$5

deb=$folder/warp-rechner_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { echo "no package $deb"; exit 1; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

if [[ $mode == start ]]; then
    exec "$6" "$root/usr/bin/warp-rechner"
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Control fields: the dependencies found by dpkg-shlibdeps and the font named by hand.
[[ $(dpkg-deb -f "$deb" Package) == warp-rechner ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-liberation2 libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
    [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
        fail "Depends lacks $needed: $depends"
done

# The files and nothing else.
applications=usr/share/applications/$id.desktop
metainfo=usr/share/metainfo/$id.metainfo.xml
expected=$(printf '%s\n' usr/bin/warp-rechner "$applications" "$metainfo" \
    usr/share/icons/hicolor/16x16/apps/warp-rechner.png \
    usr/share/icons/hicolor/32x32/apps/warp-rechner.png \
    usr/share/doc/warp-rechner/copyright | sort)
actual=$(cd "$root" && find . -type f -printf '%P\n' | sort)
[[ $actual == "$expected" ]] || fail "files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual") || true)"

program=$root/usr/bin/warp-rechner
[[ -x $program ]] || fail "the program is not executable"
file -b "$program" | grep -q '^ELF .*, stripped$' || fail "the program is not a stripped ELF file"
if readelf -d "$program" | grep -Eq 'R(UN)?PATH'; then
    fail "the program carries its own library search path: $(readelf -d "$program" | grep -E 'R(UN)?PATH')"
fi
for size in 16 32; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/warp-rechner.png
    [[ -f $icon ]] && file -b "$icon" | grep -q "^PNG image data, $size x $size," ||
        fail "no $size x $size PNG icon"
done

# The desktop entry: valid, and naming the program and its icon.
if [[ -f $root/$applications ]]; then
    report=$(desktop-file-validate "$root/$applications" 2>&1) && [[ -z $report ]] ||
        fail "desktop-file-validate: $report"
    for line in 'Name=Warp - Rechner' 'Exec=warp-rechner' 'Icon=warp-rechner' 'Type=Application'; do
        grep -qFx "$line" "$root/$applications" || fail "the desktop entry lacks \"$line\""
    done
    grep -qE '^Categories=(.*;)?Calculator;' "$root/$applications" ||
        fail "the desktop entry is not in the Calculator category"
fi

# The metainfo: valid on its own and together with the desktop entry it launches.
if [[ -f $root/$metainfo ]]; then
    report=$(appstreamcli validate --no-net "$root/$metainfo" 2>&1) ||
        fail "appstreamcli validate: $report"
    report=$(appstreamcli validate-tree --no-net "$root" 2>&1) ||
        fail "appstreamcli validate-tree: $report"
    for text in "<id>$id</id>" "<release version=\"$version_text\"" \
        '<summary xml:lang="de">' '<summary>' 'docs/window.png</image>' \
        '<content_rating type="oars-1.1"' "<launchable type=\"desktop-id\">$id.desktop<"; do
        grep -qF "$text" "$root/$metainfo" || fail "the metainfo lacks $text"
    done
fi

[[ $failures -eq 0 ]] || exit 1
echo "package $(basename "$deb"): files, desktop entry and metainfo in order"
