#!/bin/sh
# The installer's round trip in a Wine prefix and X display: silent install, the installed program's window, silent uninstall, nothing left.
#
# Usage: InstallerCheck.sh SETUP_EXE, with WINEPREFIX (and the rest of the Wine
# environment) set and DISPLAY naming an X server; xdotool finds the window.
set -u
setup=$1
drive="$WINEPREFIX/drive_c"
folder="$drive/Program Files/Plinvaro"
program='C:\Program Files\Plinvaro\plinvaro.exe'
uninstaller='C:\Program Files\Plinvaro\uninstall.exe'
entry="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Plinvaro.lnk"
record='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Plinvaro'

fail() {
  echo "installer: $*"
  wineserver -k 2>/dev/null
  exit 1
}

# Everything in the prefix whose name mentions the program (the GUI suite's
# scratch folders may already be there), and the uninstall record.
named() { find "$drive" -iname '*plinvaro*' 2>/dev/null | sort; }

[ ! -e "$folder" ] || fail "$folder exists before the install"
before=$(named)
wine "$setup" /S || fail "the silent install failed"
wineserver -w
for f in plinvaro.exe README.txt uninstall.exe; do
  [ -f "$folder/$f" ] || fail "$f is not in $folder"
done
[ -f "$entry" ] || fail "no Start-menu entry"
wine reg query "$record" /v UninstallString >/dev/null 2>&1 || fail "no uninstall record"

wine "$program" >/dev/null 2>&1 &
started=$!
shown=""
for _ in $(seq 1 60); do
  if xdotool search --name '^Plinvaro$' >/dev/null 2>&1; then shown=yes; break; fi
  sleep 0.5
done
# taskkill without /f closes the window as a user would; the program then ends.
wine taskkill /im plinvaro.exe >/dev/null 2>&1
for _ in $(seq 1 20); do
  kill -0 "$started" 2>/dev/null || break
  sleep 0.5
done
kill -0 "$started" 2>/dev/null && fail "the installed program did not end when closed"
[ -n "$shown" ] || fail "the installed program showed no window"

wine "$uninstaller" /S || fail "the silent uninstall failed"
wineserver -w  # the uninstaller finishes from a copy of itself
after=$(named)
[ "$after" = "$before" ] || fail "left behind: $(echo "$after" | grep -vxF "$before")"
wine reg query "$record" >/dev/null 2>&1 && fail "the uninstall record is still there"
echo "installer: installed, started, closed, uninstalled; nothing left"
