#!/usr/bin/env bash
# Runs the huge-order and tax benchmarks REPS times and prints each goal with
# min / median / max and its ratio to the baseline measured in the same run.
set -euo pipefail
bench=${1:-build/bench/zelt-bench}
reps=${REPS:-5}
filter=${FILTER:-'MemchrSplit/1000*/|ReadDataLet/1000*/|ReadDataGet/1000000?/|OrderMemory|Recalculation/1000000?/|(AddLine|UpdateLine|DeleteFirstLine|PopupAddCopy|Paste1000Rows|UndoDelete|UndoDeleteSettled|RenumberSlice|DeleteSelected)/1000000?/[01]/iterations|BoxKey/1000000?/|TaxRequestBuild10k|TaxResultXml10k|AvaTaxExchange10k'}

"$bench" --benchmark_filter="$filter" --benchmark_repetitions="$reps" --benchmark_format=csv 2>/dev/null |
awk -F, '
function ms(value, unit) { return unit == "ns" ? value / 1e6 : unit == "us" ? value / 1e3 : unit == "s" ? value * 1e3 : value }
function sortTimes(name,    i, j, t, n) {
    n = count[name]
    for (i = 2; i <= n; i++) { t = times[name, i]; for (j = i - 1; j >= 1 && times[name, j] > t; j--) times[name, j + 1] = times[name, j]; times[name, j + 1] = t }
}
function median(name,    n) { n = count[name]; return n % 2 ? times[name, (n + 1) / 2] : (times[name, n / 2] + times[name, n / 2 + 1]) / 2 }
function row(label, name, goal) {
    if (!(name in count)) { printf "| %-44s | (not run) |\n", label; return }
    printf "| %-44s | %8.2f | %8.2f | %8.2f | %s |\n", label, times[name, 1], median(name), times[name, count[name]], goal
}
NR == 1 { for (i = 1; i <= NF; i++) { h = $i; gsub(/"/, "", h); column[h] = i }; next }
$1 ~ /^"/ {
    name = $1; gsub(/"/, "", name)
    if (name ~ /_(mean|median|stddev|cv)$/) next
    n = ++count[name]
    times[name, n] = ms($3, $5)
    if ("first_x_text" in column && $column["first_x_text"] != "") { first[name] = $column["first_x_text"]; second[name] = $column["second_x_text"] }
}
END {
    for (name in count) sortTimes(name)
    print "| What (ms) | min | median | max | goal |"
    print "|---|---|---|---|---|"
    base = "BM_MemchrSplit/100000/0"; let = "BM_ReadDataLet/100000/0"; get = "BM_ReadDataGet/100000/0"
    row("memchr split of 100,000 lines (baseline)", base, "")
    row("readData Let of 100,000 lines", let, sprintf("x%.1f the split (goal within x5)", median(let) / median(base)))
    row("readData Get of 100,000 lines", get, sprintf("x%.2f the load (goal within x2)", median(get) / median(let)))
    vbase = "BM_MemchrSplit/100000/1"; vlet = "BM_ReadDataLet/100000/1"; mlet = "BM_ReadDataLet/1000000/1"
    row("memchr split of 100,000 varied lines (baseline)", vbase, "")
    row("readData Let of 100,000 varied lines", vlet, sprintf("x%.1f the split (goal within x3)", median(vlet) / median(vbase)))
    row("readData Let of 1,000,000 varied lines", mlet, sprintf("x%.1f the 100,000 (goal within x11)", median(mlet) / median(vlet)))
    mget = "BM_ReadDataGet/1000000/1"
    row("readData Get of 1,000,000 varied lines", mget, sprintf("x%.2f the load (goal within x2)", median(mget) / median(mlet)))
    for (name in count) if (name !~ /OrderMemory/ && name ~ /\/1000000?\/[01]\/iterations|BoxKey\/1000000?\/|Recalculation\/1000000?\//) {
        per = name ~ /BoxKey|Recalculation/ ? 2 : 1  # two keys / two recalculations per iteration
        printf "| %-44s | %8.2f | %8.2f | %8.2f | %s |\n", name " (per action)", times[name, 1] / per, median(name) / per, times[name, count[name]] / per, (median(name) / per <= 16 ? "within 16 ms" : "over 16 ms")
    }
    for (name in first) printf "| %-44s | resident x%.2f the text after one load, x%.2f after a second (goal within x3, no growth) |\n", name, first[name], second[name]
    build = "BM_TaxRequestBuild10k"; xml = "BM_TaxResultXml10k"
    if (build in count && xml in count) {
        row("tax request built, 10,000 lines", build, "")
        row("tax result read, 10,000 lines", xml, "")
        printf "| %-44s | | %8.2f | | goal under 16 ms; exchange baseline %.0f ms |\n", "control'"'"'s own share (build + read)", median(build) + median(xml), median("BM_AvaTaxExchange10k")
    }
}'
