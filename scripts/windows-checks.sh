#!/usr/bin/env bash
# Builds the Windows plug-ins and checks them: export and import tables of
# both DLLs, and, where wine runs, the x86_64 DLL through the VST 2
# interface with a rendering compared against the Linux plug-in's, and the
# editor's window layer through Win32 messages (on an X display: DISPLAY,
# else a private Xvfb).
#   windows-checks.sh NATIVE_BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
native=$1
jobs=$(nproc)
status=0
passed=0
failed=0
note() { if [ "$1" = ok ]; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; echo "FAILED: $2"; fi; }

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

for arch in x86_64 i686; do
  dir="build/win-$arch"
  cmake --preset "win-$arch" "${launcher[@]}" -DZINDLE_BANKGEN="$PWD/$native/tools/zindle-bankgen" \
    -DZINDLE_ARTGEN="$PWD/$native/tools/zindle-artgen" >/dev/null
  cmake --build --preset "win-$arch" -j "$jobs" --target Zindle-BR zindle-hostcheck zindle-gui-win32-test zindle-editorcheck
  dll="$dir/plugin/Zindle-BR.dll"
  dump=$("$arch-w64-mingw32-objdump" -p "$dll")
  exports=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
  # Exactly the two entry points, nothing else.
  names=$(echo "$exports" | sed -n 's/^\s*\[ *[0-9]*\] *//p' | LC_ALL=C sort | tr '\n' ' ')
  if [ "$names" = "VSTPluginMain main " ]; then note ok; else note bad "$arch: exports are '$names', not main and VSTPluginMain"; fi
  imports=$(echo "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  echo "$arch imports: $(echo $imports)"
  for dll_name in $imports; do
    case "$dll_name" in
      kernel32.dll|user32.dll|gdi32.dll|winmm.dll|advapi32.dll|shell32.dll|comdlg32.dll|ole32.dll|msvcrt.dll|api-ms-win-*) note ok ;;
      *) note bad "$arch: imports a non-system DLL $dll_name" ;;
    esac
  done
done

if command -v wine >/dev/null 2>&1; then
  export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # The window layer needs a display for wine's windows. It is set before
  # wine first runs, after any earlier session of this prefix has ended:
  # a session keeps the display it started with.
  timeout 60 wineserver -w >/dev/null 2>&1 || true
  xvfb_pid=
  if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null 2>&1; then
    n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    sleep 1
  fi
  "$native/tools/zindle-hostcheck" "$native/plugin/Zindle-BR.so" build/hostcheck-linux.f32 >/dev/null
  if timeout 600 wine build/win-x86_64/tools/zindle-hostcheck.exe build/win-x86_64/plugin/Zindle-BR.dll \
       build/hostcheck-win64.f32; then
    note ok
  else
    note bad "the x86_64 DLL under wine"
  fi
  if "$native/tools/zindle-hostcheck" --compare build/hostcheck-linux.f32 build/hostcheck-win64.f32; then
    note ok
  else
    note bad "Linux and Windows renderings differ"
  fi
  if [ -n "${DISPLAY:-}" ]; then
    win32_test=build/win-x86_64/tests/gui/win32/zindle-gui-win32-test.exe
    if timeout 300 wine "$win32_test"; then
      note ok
    else
      note bad "the Win32 window layer checks under wine"
    fi
    # The desktop scale once more with the desktop at 144 dpi (wine's
    # LogPixels, read by each new process), then back to the default.
    desktop='HKCU\Control Panel\Desktop'
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    if timeout 120 wine "$win32_test" --desktop-dpi 144; then
      note ok
    else
      note bad "the editor's scale on a 144 dpi desktop"
    fi
    wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true
    # The plug-in's editor in a Windows host window: the same picture as on
    # Linux, and a knob drag seen by the host.
    if timeout 300 wine build/win-x86_64/tools/zindle-editorcheck.exe build/win-x86_64/plugin/Zindle-BR.dll \
         tests/data/editor/panel_1x.sha256 build/editor-win64.ppm; then
      note ok
    else
      note bad "the editor of the x86_64 DLL under wine (its picture: build/editor-win64.ppm)"
    fi
  else
    echo "windows-checks: no X display and no Xvfb; the window layer checks are not run"
  fi
  if [ -n "$xvfb_pid" ]; then
    # The session ends before its display does.
    timeout 60 wineserver -w >/dev/null 2>&1 || true
    kill "$xvfb_pid" 2>/dev/null || true
  fi
else
  echo "windows-checks: wine is not installed; the x86_64 DLL is built but not run"
fi
echo "windows-checks: $passed passed, $failed failed"
exit $status
