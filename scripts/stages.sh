# shellcheck shell=bash
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

# The failed and total tests of a ctest log ("0 108"); nothing when ctest
# never reached its summary.
ctest_summary() {
    sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$1"
}

skipped_tests() { grep -c '(Skipped)$' "$1" || true; }

# "108 Tests: 107 bestanden, 1 übersprungen" from a ctest log.
ctest_counts() {
    read -r _ total <<< "$(ctest_summary "$1")"
    skipped=$(skipped_tests "$1")
    printf '%s Tests: %s bestanden, %s übersprungen' "$total" $((total - skipped)) "$skipped"
}

# "ctest: 120 passed, 0 failed" over the given ctest logs, in the form that
# tools reading test output look for. A log that is missing or has no summary
# (its stage never ran its tests) adds nothing; skipped tests count as neither.
ctest_count_line() {
    passed=0 failed=0
    for log in "$@"; do
        [ -f "$log" ] || continue
        summary=$(ctest_summary "$log")
        [ -n "$summary" ] || continue
        read -r log_failed log_total <<< "$summary"
        failed=$((failed + log_failed))
        passed=$((passed + log_total - log_failed - $(skipped_tests "$log")))
    done
    printf 'ctest: %d passed, %d failed\n' "$passed" "$failed"
}
