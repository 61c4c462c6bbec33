# Stages of a check run, each quiet: its whole output goes to a log under
# build/logs/, and one line says what it found and how long it took. A stage
# that fails shows what failed in full and ends the run.
# Sourced by test-all.sh and check-core.sh.

logs="$(pwd)/build/logs"
mkdir -p "$logs"

duration() {
    if [ "$1" -ge 60 ]; then printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); else printf '%d s' "$1"; fi
}

# run_stage <title> <log name> <command...>: runs the command; on success
# prints "<title>: <what summary_<log name> says> (<time>)".
run_stage() {
    title=$1 name=$2
    shift 2
    log="$logs/$name.log"
    started=$(date +%s)
    # In a subshell of its own, so that the stage stops at its first failing
    # command (a function called from an if would run on past it).
    set +e
    (set -e; "$@") > "$log" 2>&1
    status=$?
    set -e
    took=$(duration $(($(date +%s) - started)))
    if [ "$status" -eq 0 ]; then
        printf '%-22s %s (%s)\n' "$title:" "$("summary_$name" "$log")" "$took"
        return
    fi
    printf '%-22s FEHLGESCHLAGEN (%s); Protokoll: %s\n\n' "$title:" "$took" "$log"
    if type "failure_$name" > /dev/null 2>&1; then "failure_$name" "$log"; else tail -n 100 "$log"; fi
    exit 1
}

# The output of each test that did not pass, whole, from a ctest log written
# with --output-on-failure.
failing_tests() {
    awk '/\*\*\*(Failed|Exception|Timeout)|\*\*\*Not Run|Could not find executable/ { show = 1 }
         /^ *[0-9]+\/[0-9]+ Test +#/ && !/\*\*\*/ || /^ *Start +[0-9]+:/ { show = 0 }
         show' "$1"
    grep -A20 'The following tests FAILED' "$1"
}

# "108 Tests: 107 bestanden, 1 übersprungen" from a ctest log.
ctest_counts() {
    total=$(sed -n 's/.*tests passed, [0-9]* tests\{0,1\} failed out of \([0-9]*\).*/\1/p' "$1")
    skipped=$(grep -c '(Skipped)$' "$1" || true)
    printf '%s Tests: %s bestanden, %s übersprungen' "$total" $((total - skipped)) "$skipped"
}
