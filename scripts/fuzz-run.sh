#!/usr/bin/env bash
# Runs each libFuzzer target (or those FUZZ_TARGETS names) for FUZZ_SECONDS
# over its corpus and seeds, with its dictionary; FUZZ_SEED fixes the random
# seed, as CI does. Keeps going after a finding, and ends with one line per
# target: runs, runs a second, coverage, and the findings (crash-, leak-,
# timeout- files) it wrote.
set -uo pipefail
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
findings_dir="$build/findings"
mkdir -p "$findings_dir"
summary=()
status=0
# Each target: its seeds in fuzz/seeds/<target>, its corpus in the build
# directory, and the host or the service dictionary.
service_targets=" url-decode soap-answer avatax-json freight-rules http-headers freight-rules-page surcharge-answer internal-tax-answer tax-command-answer "
targets=${FUZZ_TARGETS:-"line-records lookup-tables tax-fee-exchange brokerage-brackets freight-rates typed-keys
    freight-rules-page surcharge-answer internal-tax-answer tax-command-answer url-decode soap-answer avatax-json freight-rules http-headers"}
for target in $targets; do
    dict=host
    [[ "$service_targets" == *" $target "* ]] && dict=service
    corpus="corpus-$target"
    seeds="fuzz/seeds/$target"
    mkdir -p "$build/$corpus" "$findings_dir/$target"
    log="$build/fuzz-$target.log"
    "$build/fuzz/zelt-fuzz-$target" -max_total_time="$seconds" -artifact_prefix="$findings_dir/$target/" \
        -dict="fuzz/dicts/$dict.dict" ${FUZZ_SEED:+-seed="$FUZZ_SEED"} "$build/$corpus" "$seeds" > "$log" 2>&1
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)
    runs=$(grep -oE '^Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' | tail -1)
    rate=$(grep -oE 'exec/s: [0-9]+' <<< "$done_line" | grep -oE '[0-9]+')
    cov=$(grep -oE 'cov: [0-9]+' <<< "$done_line" | grep -oE '[0-9]+')
    found=$(find "$findings_dir/$target" -type f | wc -l)
    [ "$found" -gt 0 ] && status=1
    summary+=("$(printf '%-16s runs %-9s runs/s %-6s coverage %-6s findings %s' "$target" "${runs:-?}" "${rate:-?}" "${cov:-?}" "$found")")
done
printf '%s\n' "${summary[@]}"
[ "$status" -eq 0 ] || echo "findings are in $findings_dir: turn each into a regression test"
exit "$status"
