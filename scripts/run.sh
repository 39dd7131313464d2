#!/usr/bin/env bash
# Builds everything in build/ and starts the application.
source "$(dirname "$0")/common.sh"
install_packages
configure_and_build
app="$build/app/kq7b"
if [[ -x "$app" ]]; then
    exec "$app" "$@"
fi
echo "Everything is built. The application itself (build/app/kq7b) does not exist yet;"
echo "this command will start it once it does."
