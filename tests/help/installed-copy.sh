#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed programs there.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'kill "${gui:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > "$work/install.log"

for f in bin/kestrix bin/kestrix-cli share/kestrix/help/index.htm share/kestrix/help/106.htm \
         share/applications/io.github.kestrix.Kestrix.desktop \
         share/icons/hicolor/48x48/apps/kestrix.png share/icons/hicolor/scalable/apps/kestrix.svg \
         share/man/man1/kestrix.1 share/man/man1/kestrix-cli.1 share/metainfo/io.github.kestrix.Kestrix.metainfo.xml \
         share/bash-completion/completions/kestrix-cli share/zsh/vendor-completions/_kestrix-cli \
         share/doc/kestrix/LICENSE; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/io.github.kestrix.Kestrix.metainfo.xml"
fi

export KESTRIX_HOME=$work/home XDG_CONFIG_HOME=$work/config
"$prefix/bin/kestrix-cli" demo "$KESTRIX_HOME" > /dev/null
help=$("$prefix/bin/kestrix-cli" paths | awk -F'\t' '$1 == "help folder" {print $2}')
[ "$help" = "$prefix/share/kestrix/help/" ] || { echo "help folder is '$help'"; exit 1; }

# Without KESTRIX_HOME the installed copy keeps its files in the user's data folder, even when
# its bin folder is writable (as for root); the build's copy keeps them beside itself.
app=$(env -u KESTRIX_HOME XDG_DATA_HOME="$work/data" "$prefix/bin/kestrix-cli" paths \
    | awk -F'\t' '$1 == "application folder" {print $2}')
[ "$app" = "$work/data/Kestrix/" ] || { echo "installed application folder is '$app'"; exit 1; }
app=$(env -u KESTRIX_HOME "$build/kestrix-cli" paths | awk -F'\t' '$1 == "application folder" {print $2}')
[ "$app" = "$build/" ] || { echo "build application folder is '$app'"; exit 1; }

# The GUI starts on the sample game (remembered in the application folder) and stays up.
printf '[Optora]\nGOB=%s\n' "$KESTRIX_HOME/Torvane/data/torvane_pc.gob" > "$KESTRIX_HOME/Torvane.ini"
"$prefix/bin/kestrix" &
gui=$!
sleep 3
kill -0 "$gui" || { echo "the installed kestrix did not stay up"; exit 1; }
[ -f "$KESTRIX_HOME/temp.bmp" ] || { echo "the first sub file was not extracted"; exit 1; }
echo "installed copy works"
