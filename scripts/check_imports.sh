#!/usr/bin/env bash
# Fails when Quorvanel.exe imports a function that Windows 7 SP1 lacks: such an import keeps the
# program from starting there at all ("The procedure entry point ... could not be located"),
# while a function looked up at run time only goes without.
#
# How: the import table (objdump -p) against
#   - the libraries Windows 7 SP1 has, by name (a new library, shcore.dll or an api-ms-win-*
#     set, fails at once), and
#   - a deny list of the functions newer than Windows 7 SP1: those the sources look up at run
#     time (read from the sources, so that one added later is covered by itself) and the
#     newer ones of those libraries a program like this one is likely to reach for.
# An allow list of every Windows 7 function would be exact, but thousands of names long and
# copied from somewhere; the deny list catches the way such an import comes in (a newer
# function called directly instead of looked up) and stays short. Newer-than-7 functions
# allowed as imports: none.
#   scripts/check_imports.sh [EXE]
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
EXE=${1:-$ROOT/build/windows/Quorvanel.exe}
OBJDUMP=${OBJDUMP:-x86_64-w64-mingw32-objdump}

WINDOWS_7_LIBRARIES='ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL
  OLE32.DLL OLEAUT32.DLL SHELL32.DLL SHLWAPI.DLL USER32.DLL UXTHEME.DLL VERSION.DLL'
ALLOWED_NEWER=''
KNOWN_NEWER='AddDllDirectory AdjustWindowRectExForDpi AreDpiAwarenessContextsEqual
  CreateFile2 EnableNonClientDpiScaling GetAwarenessFromDpiAwarenessContext
  GetCurrentPackageFullName GetDpiForMonitor GetDpiForSystem GetDpiForWindow
  GetDpiFromDpiAwarenessContext GetPointerInfo GetProcessDpiAwareness
  GetSystemDpiForProcess GetSystemMetricsForDpi GetSystemTimePreciseAsFileTime
  GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext IsValidDpiAwarenessContext
  LogicalToPhysicalPointForPerMonitorDPI PhysicalToLogicalPointForPerMonitorDPI
  RemoveDllDirectory SetDefaultDllDirectories SetDialogControlDpiChangeBehavior
  SetDialogDpiChangeBehavior SetProcessDpiAwareness SetProcessDpiAwarenessContext
  SetThreadDpiAwarenessContext SetThreadDpiHostingBehavior SystemParametersInfoForDpi'

[[ -f "$EXE" ]] || { echo "check_imports: $EXE is missing" >&2; exit 1; }

# "LIBRARY FUNCTION" for every import by name.
imports=$("$OBJDUMP" -p "$EXE" | awk -F'\t' '
  /DLL Name:/ { split($2, name, " "); library = toupper(name[3]); next }
  library && NF >= 3 && $2 ~ /^[0-9a-f]+$/ { split($3, entry, " "); print library, entry[2] }')
[[ -n "$imports" ]] || { echo "check_imports: no imports read from $EXE" >&2; exit 1; }

looked_up=$(find "$ROOT/src" -name '*.cpp' -o -name '*.h' | xargs perl -0777 -ne \
  'while (/(?:SystemFunction|User32Function|GetProcAddress)\b[^;]*?"(\w+)"\s*\)/gs) {
     print "$1\n" }' | sort -u)

status=0
while read -r library function; do
  if [[ " ${WINDOWS_7_LIBRARIES//$'\n'/ } " != *" $library "* ]]; then
    echo "check_imports: $library ($function) is not a library of Windows 7 SP1" >&2
    status=1
  elif [[ " $ALLOWED_NEWER " != *" $function "* ]] &&
    grep -qxF "$function" <(tr -s ' \n' '\n\n' <<<"$KNOWN_NEWER $looked_up"); then
    echo "check_imports: $library!$function is newer than Windows 7 SP1: look it up at run time" >&2
    status=1
  fi
done <<<"$imports"
((status == 0)) && echo "check_imports: $(wc -l <<<"$imports") imports, all in Windows 7 SP1"
exit "$status"
