#!/bin/sh
# Renders the icon SVGs into the hicolor PNG tree and rebuilds the Windows icon file; run from any directory.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/hicolor"

render() { # size source
    mkdir -p "$out/$1x$1/apps"
    rsvg-convert -w "$1" -h "$1" "$here/$2" -o "$out/$1x$1/apps/plinvaro.png"
}

render 16 plinvaro-16.svg
render 24 plinvaro-24.svg
render 32 plinvaro-32.svg
render 48 plinvaro-48.svg
render 64 plinvaro.svg
render 128 plinvaro.svg
render 256 plinvaro.svg

# The 24 px drawing keeps a one-pixel margin, so 22 px is the same drawing without it.
mkdir -p "$out/22x22/apps"
rsvg-convert "$here/plinvaro-24.svg" | convert png:- -crop 22x22+1+1 +repage -strip "PNG32:$out/22x22/apps/plinvaro.png"

python3 "$here/make-ico.py" "$out" "$here/../windows/plinvaro.ico"
