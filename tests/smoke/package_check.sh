#!/usr/bin/env bash
# Makes the Debian package from the release build, checks it with lintian,
# installs it with apt-get, tries what it installed (the menu entry, the
# software-centre entry, the program on a virtual display, ampery-cli, the .aie
# file type) and removes it again, checking that it leaves none of its files.
# Installs and removes packages: run it as root or with sudo, on a machine
# where ampery is not installed.
# usage: tests/smoke/package_check.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

fail() {
    echo "package check: FAILED: $*" >&2
    exit 1
}
step() { echo "== package check: $*"; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

mime_type=application/x-ampery-experiment
metainfo=/usr/share/metainfo/invalid.ampery.ampery.metainfo.xml
example=/usr/share/ampery/examples/串联电灯.aie

installed() { dpkg-query -W -f='${Status}' ampery 2>/dev/null | grep -q "install ok installed"; }
installed && fail "ampery is installed already; remove it first (this check installs and removes it)"

scratch=$(mktemp -d)
cleanup() {
    # A failed check does not leave the package behind.
    if installed; then
        echo "package check: removing the package after the failure" >&2
        $sudo apt-get remove -y -qq ampery >/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# What xdg-mime says an .aie file is, under a plain name in a folder of its own.
file_type() { xdg-mime query filetype "$scratch/experiment.aie" 2>&1 || true; }
mime_hint="(on a machine without a desktop xdg-mime asks 'mimetype' from libfile-mimeinfo-perl, which reads the shared MIME database; without it, 'file' answers from its own rules)"

step "release build"
cmake --preset release >/dev/null || fail "the release preset did not configure"
cmake --build --preset release || fail "the release build failed"
cp "build/release/examples/串联电灯.aie" "$scratch/experiment.aie" \
    || fail "the release build made no example 串联电灯.aie"
[ "$(file_type)" != "$mime_type" ] \
    || fail "xdg-mime knows $mime_type before the package is installed; is another copy of the type installed (~/.local/share/mime)?"

step "cpack -G DEB"
rm -f build/release/ampery_*.deb
(cd build/release && cpack -G DEB) || fail "cpack did not make the package"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
deb=build/release/ampery_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "cpack made no $deb"
dpkg-deb --info "$deb"

step "contents and permissions of $deb"
contents=$(dpkg-deb --contents "$deb")
for path in /usr/bin/ampery /usr/bin/ampery-cli "$example" \
    /usr/share/applications/ampery.desktop \
    /usr/share/mime/packages/ampery-experiment.xml \
    "$metainfo" \
    /usr/share/icons/hicolor/scalable/apps/ampery.svg \
    /usr/share/icons/hicolor/48x48/apps/ampery.png \
    /usr/share/icons/hicolor/128x128/apps/ampery.png \
    /usr/share/icons/hicolor/scalable/mimetypes/application-x-ampery-experiment.svg \
    /usr/share/icons/hicolor/48x48/mimetypes/application-x-ampery-experiment.png \
    /usr/share/icons/hicolor/128x128/mimetypes/application-x-ampery-experiment.png \
    /usr/share/man/man1/ampery.1.gz /usr/share/man/man1/ampery-cli.1.gz \
    /usr/share/doc/ampery/copyright /usr/share/doc/ampery/changelog.gz; do
    grep -q " \.${path}\$" <<<"$contents" || fail "the package lacks $path"
done
# Directories and programs rwxr-xr-x, every other file rw-r--r--, all root's.
bad_modes=$(awk '{
    mode = $1; owner = $2; path = $NF
    if (owner != "root/root") { print; next }
    if (mode ~ /^d/) { if (mode != "drwxr-xr-x") print; next }
    if (path ~ /^\.\/usr\/bin\//) { if (mode != "-rwxr-xr-x") print; next }
    if (mode != "-rw-r--r--") print
}' <<<"$contents")
[ -z "$bad_modes" ] || fail "files with the wrong owner or mode in the package:
$bad_modes"

# The manual pages format without a warning from groff.
for page in ampery ampery-cli; do
    warnings=$(man --warnings -l "build/release/man/$page.1.gz" 2>&1 >/dev/null) \
        || fail "man cannot show build/release/man/$page.1.gz"
    [ -z "$warnings" ] || fail "the manual page $page.1 has faults: $warnings"
done

step "lintian"
lintian_out=$(lintian --fail-on none "$deb" 2>&1) || fail "lintian did not run: $lintian_out"
echo "$lintian_out"
errors=$(grep '^E: ' <<<"$lintian_out" || true)
maintainer=$(dpkg-deb --field "$deb" Maintainer)
lintian_result="passed lintian"
if [[ "$maintainer" != *"<"*"@"*">"* ]]; then
    # Without an address the Maintainer field cannot be what Debian asks for;
    # that one error is the builder's to settle, and said here, not hidden.
    if grep -q 'malformed-contact Maintainer' <<<"$errors"; then
        echo "package check: NOTE: the Maintainer field \"$maintainer\" has no e-mail address," \
            "so lintian reports malformed-contact; configure with" \
            "-DAMPERY_PACKAGE_MAINTAINER=\"Name <address>\" or set DEBEMAIL to give one" >&2
    fi
    errors=$(grep -v 'malformed-contact Maintainer' <<<"$errors" || true)
    lintian_result="passed lintian but for the Maintainer's missing address"
fi
[ -z "$errors" ] || fail "lintian found errors:
$errors"

step "apt-get install ./$deb"
$sudo apt-get install -y -qq "./$deb" || fail "apt-get could not install $deb"
installed || fail "dpkg does not list ampery as installed after apt-get install"

step "the installed files"
for size in 48 128; do
    for png in /usr/share/icons/hicolor/${size}x${size}/apps/ampery.png \
        /usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-ampery-experiment.png; do
        [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] \
            || fail "$png is not $size by $size pixels"
    done
done
desktop-file-validate /usr/share/applications/ampery.desktop \
    || fail "desktop-file-validate rejects the installed menu entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the installed $metainfo"

step "the MIME database after installing"
# shared-mime-info's trigger runs update-mime-database when a package puts a
# file in /usr/share/mime/packages.
[ -f /usr/share/mime/application/x-ampery-experiment.xml ] \
    || fail "the MIME database was not updated: no /usr/share/mime/application/x-ampery-experiment.xml"
type_now=$(file_type)
[ "$type_now" = "$mime_type" ] \
    || fail "xdg-mime query filetype gives \"$type_now\" for an .aie file, not $mime_type $mime_hint"
default_app=$(xdg-mime query default "$mime_type" 2>&1 || true)
[ "$default_app" = ampery.desktop ] \
    || fail "xdg-mime does not name ampery.desktop as the program for $mime_type, but \"$default_app\""

program_version=$(/usr/bin/ampery --version 2>&1) || fail "/usr/bin/ampery --version failed: $program_version"
[[ "$program_version" == *" $version" ]] \
    || fail "/usr/bin/ampery --version says \"$program_version\", the package is $version"

step "the installed program on a virtual display"
tests/smoke/desktop_smoke.sh /usr/bin/ampery "$example" build/release/installed-smoke.png \
    || fail "the installed /usr/bin/ampery failed the desktop smoke test"

step "the installed ampery-cli"
analysis=$(/usr/bin/ampery-cli analyse "$example") || fail "ampery-cli analyse $example failed"
echo "$analysis"
python3 -c '
import json, sys
outcome = json.loads(sys.argv[1])
sys.exit(0 if outcome["status"] == "提示：电路畅通。" and outcome["solved"] else 1)
' "$analysis" || fail "ampery-cli does not find the circuit of $example closed and solved"

step "apt-get remove ampery"
listed=$(dpkg -L ampery) || fail "dpkg -L ampery failed"
files=()
while IFS= read -r path; do
    [ -f "$path" ] && [ ! -L "$path" ] && files+=("$path")
done <<<"$listed"
[ ${#files[@]} -ge 20 ] || fail "dpkg -L ampery lists only ${#files[@]} files"
$sudo apt-get remove -y -qq ampery || fail "apt-get could not remove ampery"
installed && fail "dpkg still lists ampery as installed after apt-get remove"
left=()
for path in "${files[@]}"; do
    [ -e "$path" ] && left+=("$path")
done
[ ${#left[@]} -eq 0 ] || fail "files left after removing the package: ${left[*]}"
[ ! -e /usr/share/mime/application/x-ampery-experiment.xml ] \
    || fail "the MIME database still holds $mime_type after removing the package"
type_now=$(file_type)
[ "$type_now" != "$mime_type" ] || fail "xdg-mime still gives $mime_type after removing the package"

echo "package check: $deb built, $lintian_result, installed, worked and was removed cleanly"
