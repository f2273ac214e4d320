#!/bin/sh
# Runs a command on a private session bus with gnome-keyring serving the secret service and
# an unlocked login keyring of its own, in a throw-away home folder.
set -eu
exec dbus-run-session -- sh -c '
  home=$(mktemp -d)
  trap "rm -rf \"$home\"" EXIT
  export HOME="$home" XDG_RUNTIME_DIR="$home/run" XDG_DATA_HOME="$home/data"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # Started with a password on its input, the daemon makes the login keyring and unlocks it
  # before it prints its environment.
  eval "$(printf test | gnome-keyring-daemon --unlock --components=secrets)"
  ITARNVALE_TEST_KEYRING=1 "$@"
' with-keyring "$@"
