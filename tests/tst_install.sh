#!/usr/bin/env bash
# The install tree: `cmake --install` into a temporary prefix, then every file where the
# desktop, icon theme, AppStream and manual-page conventions look for it, nothing else in
# bin/, the validators run on what they check (when installed), and the manual pages
# against the programs' own --help.
#   tst_install.sh BUILD_DIR VERSION
set -euo pipefail
build="$1"
version="$2"
id=org.trv5200.service

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need() {
    [ -f "$prefix/$1" ] || fail "missing $1"
}

cmake --install "$build" --prefix "$prefix" >/dev/null

# The three programs and nothing else: no tests, benchmarks, screenshots tool or fuzzers.
programs=$(cd "$prefix/bin" && printf '%s ' *)
[ "$programs" = "trv5200 trv5200-cli trv5200-sim " ] || fail "bin/ holds: $programs"
for p in trv5200 trv5200-cli trv5200-sim; do
    [ -x "$prefix/bin/$p" ] || fail "bin/$p is not executable"
done

desktop="share/applications/$id.desktop"
metainfo="share/metainfo/$id.metainfo.xml"
need "$desktop"
need "$metainfo"
need "share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 32 48 64 128 256; do
    png="share/icons/hicolor/${size}x${size}/apps/$id.png"
    need "$png"
    # The PNG's own width and height (IHDR) match the folder it is in.
    read -r -a dims <<<"$(od -An -tu1 -j16 -N8 "$prefix/$png")"
    width=$(((dims[0] << 24) + (dims[1] << 16) + (dims[2] << 8) + dims[3]))
    height=$(((dims[4] << 24) + (dims[5] << 16) + (dims[6] << 8) + dims[7]))
    if [ "$width" != "$size" ] || [ "$height" != "$size" ]; then
        fail "$png is ${width}x${height}"
    fi
done
for page in trv5200 trv5200-cli trv5200-sim; do
    need "share/man/man1/$page.1.gz"
done
need "share/doc/trv5200-service/copyright"

# The menu entry starts an installed program and names the installed icon; the metainfo
# names the menu entry and the version.
grep -qx "Exec=trv5200" "$prefix/$desktop" || fail "$desktop: Exec is not trv5200"
grep -qx "Icon=$id" "$prefix/$desktop" || fail "$desktop: Icon is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/$metainfo" ||
    fail "$metainfo: no launchable $id.desktop"
grep -q "<release version=\"$version\"" "$prefix/$metainfo" || fail "$metainfo: no release $version"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/$desktop" || fail "desktop-file-validate"
else
    echo "desktop-file-validate not installed: not run"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/$metainfo" || fail "appstreamcli validate"
else
    echo "appstreamcli not installed: not run"
fi
for page in trv5200 trv5200-cli trv5200-sim; do
    file="$prefix/share/man/man1/$page.1.gz"
    zcat "$file" | grep -q "TRV5200 Service $version" || fail "$page.1: not version $version"
    if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null) ||
            fail "man -l $page.1"
        [ -z "$warnings" ] || fail "man -l $page.1: $warnings"
    fi
done

# The installed programs tell their version, and every option their --help lists is in
# their manual page (and for the command-line tool every command and exit code).
cli_version=$("$prefix/bin/trv5200-cli" --version)
[ "$cli_version" = "trv5200-cli $version" ] || fail "trv5200-cli --version: $cli_version"
for p in trv5200-cli trv5200-sim; do
    help=$("$prefix/bin/$p" --help)
    grep -q "Version $version" <<<"$help" || fail "$p --help names no version $version"
    page=$(zcat "$prefix/share/man/man1/$p.1.gz" | sed 's/\\-/-/g; s/\\f[BIRP]//g')
    # Each option of the Options block is described in an item of its own (".B --json",
    # "--port COMn|PATH", '.BR -h ", " --help'); the commands' options are named.
    for option in $(sed -n '/^Options:/,/^$/p' <<<"$help" | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
        grep -qE -- "^(\.BR? )?(-[a-z] \", \" )?$option( |$)" <<<"$page" || fail "$p.1 lacks $option"
    done
    for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
        grep -q -- "$option" <<<"$page" || fail "$p.1 lacks $option"
    done
done
help=$("$prefix/bin/trv5200-cli" --help)
page=$(zcat "$prefix/share/man/man1/trv5200-cli.1.gz" | sed 's/\\-/-/g; s/\\f[BIRP]//g')
for command in $(sed -n '/^Commands:/,/^Exit codes:/p' <<<"$help" | grep -oE '^  [a-z][a-z-]+'); do
    grep -qE "^(\.B )?$command( |$)" <<<"$page" || fail "trv5200-cli.1 lacks the command $command"
done
for code in $(sed -n '/^Exit codes:/,$p' <<<"$help" | grep -oE '^  [0-9]+'); do
    grep -qx "\.B $code" <<<"$page" || fail "trv5200-cli.1 lacks the exit code $code"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "install tree in order"
