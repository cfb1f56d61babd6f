#!/bin/sh
# Each case: exit status 2 and one line naming the cause, where Qt alone would abort (status 134)
# or open the windows over an option it never read.
voltiva=$1
failed=0
expect() {
    want=$1
    shift
    said=$(env DISPLAY= WAYLAND_DISPLAY= "$@" 2>&1)
    status=$?
    lines=$(printf '%s\n' "$said" | wc -l)
    case "$said" in
    "voltiva: $want"*) [ "$status" -eq 2 ] && [ "$lines" -eq 1 ] && return ;;
    esac
    echo "FAIL: $* -> status $status: $said"
    failed=1
}
expect "cannot open the windows: Could not find the Qt platform plugin \"bogus\"" "$voltiva" -platform bogus
expect "cannot open the windows: could not connect to display :999" "$voltiva" -platform xcb -display :999
expect "cannot open the windows: could not connect to display" env QT_QPA_PLATFORM=xcb "$voltiva"
expect "unknown option '--bogus'" "$voltiva" -platform offscreen --bogus
expect "unexpected argument 'nearest'" "$voltiva" -reverse nearest 5k
exit $failed
