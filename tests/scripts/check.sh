# Sourced by the script tests: check DESCRIPTION COMMAND... prints ok or FAILED and keeps the verdict in
# $status for the test's exit code.
status=0
check() { # description, command...
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        status=1
    fi
}
