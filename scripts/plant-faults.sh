#!/usr/bin/env bash
# Measures what the test suite catches: plants one small deliberate fault at a
# time in a scratch copy of the project (a one-line edit of src/ or qt/),
# builds it incrementally, runs the suite against it and prints caught /
# missed per fault, then the total. The suite must pass on the copy first.
#
#   scripts/plant-faults.sh                   every fault
#   PLANT_FAULTS="3 17" scripts/plant-faults.sh  some, by number
#   PLANT_DIR=/tmp/x scripts/plant-faults.sh   where the copy and its build go
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${PLANT_DIR:-/tmp/zelt-plant}
mkdir -p "$dir/src"
# The copy: the files the repository tracks, as they stand in this checkout
# (times kept, so that the next run rebuilds only what changed; files the
# repository no longer tracks are removed).
(cd "$dir/src" && find . -type f | sed 's|^\./||' | sort) > "$dir/copied"
git ls-files | sort > "$dir/tracked"
comm -23 "$dir/copied" "$dir/tracked" | (cd "$dir/src" && xargs -r -d '\n' rm -f)
git ls-files -z | tar --null -T - -cf - | tar -xpf - -C "$dir/src"
cmake -S "$dir/src" -B "$dir/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELT_BUILD_BENCHMARKS=OFF \
  -DZELT_INSTALL=OFF > "$dir/configure.log"
cmake --build "$dir/build" -j "$(nproc)" > "$dir/build.log" || { echo "the copy does not build: $dir/build.log"; exit 2; }
ctest --test-dir "$dir/build" -j "$(nproc)" --timeout 120 > "$dir/baseline.log" ||
  { echo "the suite fails without a fault: $dir/baseline.log"; exit 2; }

exec python3 - "$dir" "${PLANT_FAULTS:-}" <<'PY'
import subprocess, sys, pathlib
root = pathlib.Path(sys.argv[1])
only = {int(n) for n in sys.argv[2].split()} if sys.argv[2] else None

# file, the line's text, the text it becomes, what the fault is
FAULTS = [
  # text/
  ("src/text/NumberText.cpp", "bool up = d.buf[static_cast<std::size_t>(keep)] >= '5';",
   "bool up = d.buf[static_cast<std::size_t>(keep)] > '5';", "fixed forms round halves down"),
  ("src/text/Split.cpp", "while (k < rest && data[at + 1 + k] == separator[1 + k]) ++k;",
   "while (k + 1 < rest && data[at + 1 + k] == separator[1 + k]) ++k;", "a separator compare skips its last character"),
  ("src/text/Currency.cpp", "if (std::fabs(scaled - std::trunc(scaled)) == 0.5) rounded = 2.0 * std::round(scaled / 2.0);",
   "", "currency halves round away from zero, not to even"),
  ("src/text/Date.cpp", "return static_cast<int>(i) + 1;", "return static_cast<int>(i);", "month names read one month early"),
  ("src/text/NumberText.cpp", "if (&locale == &Locale::enUS() || text.find(locale.decimalSeparator) != std::string_view::npos) return std::nullopt;",
   "if (&locale == &Locale::enUS()) return std::nullopt;", "a service number with the locale's separator falls back to en-US"),
  # view/
  ("src/view/TextBox.cpp", "    if (text == text_) return;", "", "setting the same text fires Change again"),
  ("src/view/ComboBox.cpp", "if (i < -1 || i >= listCount()) throw text::RuntimeError::invalidProcedureCall();",
   "if (i < -1 || i > listCount()) throw text::RuntimeError::invalidProcedureCall();", "a combo takes an index past its list"),
  ("include/zelt/view/Form.h", 'if (group == "LineEntry" || group == "Hidden" || group == "FraVendorCountryID") return;',
   'if (group == "Hidden" || group == "FraVendorCountryID") return;',
   "the entry area counts as a change of the order"),
  ("src/view/TextBox.cpp", "    if (changed && Accepts && !Accepts(text)) {", "    if (false) {", "a box takes any edit of the clerk"),
  # platform/
  ("src/platform/CurlHttpClient.cpp", "curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);",
   "curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);", "redirects are followed"),
  ("src/platform/HttpClient.cpp", 'constexpr std::string_view kLineBreaks("\\r\\n\\0", 3);',
   'constexpr std::string_view kLineBreaks("\\r", 1);', "a header with LF or NUL goes out"),
  ("src/platform/AvaTaxJson.cpp", '"CNT", "STA", "CTY", "CIT", "STJ"', '"CNT", "CTY", "STA", "CIT", "STJ"',
   "short jurisdiction codes map to the wrong level"),
  ("src/platform/RuleTableFreightCalculator.cpp", "if (bracket.upToPounds && request.totalWeight > *bracket.upToPounds) continue;",
   "if (bracket.upToPounds && request.totalWeight >= *bracket.upToPounds) continue;", "a weight at a bracket's bound goes to the next"),
  ("src/platform/AvaTaxRestService.cpp", 'if (scheme == "https") return std::nullopt;', 'if (scheme == "https" || scheme == "http") return std::nullopt;',
   "credentials go over plain http anywhere"),
  # core/
  ("src/core/ControlContext.h", 'void markDirtyByUser() { state.IsDirty = state.PersonType != "5"; }',
   "void markDirtyByUser() { state.IsDirty = true; }", "PersonType 5 no longer keeps the order clean"),
  ("src/core/AmountBox.cpp", "return value && *value >= 0 && isAmountInRange(*value);", "return value && isAmountInRange(*value);",
   "an amount box takes a pasted negative"),
  ("src/core/HostInput.cpp", "    if (!isAmountInRange(v))", "    if (false)", "a host amount beyond the currency range is taken"),
  ("src/core/CommandRollback.cpp", "if (box.text() != before.text) quietly(box.Change, [&] { box.setText(std::move(before.text)); });",
   "", "a failed command leaves its boxes half-written"),
  ("src/core/HostInput.h", "return value >= -2147483648.5 && value < 2147483647.5;", "return value >= -2147483648.5 && value < 4294967295.5;",
   "quantities beyond 32 bits pass"),
  # services/
  ("src/services/SoapClient.cpp", 'text::replaceAll(text, "&lt;", "<");', "", "an escaped SOAP result is not unescaped"),
  ("src/services/ComboContent.cpp", "else if (LookupLists::codeIs(e, 6, ctx_.locale)) next.statusPosition6 = pos;", "",
   "the received status position is not found"),
  ("src/services/OrderEventRules.cpp", '{"PurchaseOrderClosed", true, false},', '{"PurchaseOrderClosed", false, false},',
   "a wrong rule in the order event table"),
  ("src/services/ErrorReport.cpp", 'entry += "Error Number - " + std::to_string(err.Number());', 'entry += "Error Number - ";',
   "the error log entry loses its number"),
  # totals/
  ("src/totals/TotalsRecalculation.cpp", "        if (isMerchandise || s == 1)", "        if (isMerchandise)",
   "status 1 away from its position no longer weighs"),
  ("src/totals/TotalsRecalculation.cpp", "checked(merchandise() * rules.dutyRate)", "checked(merchandise() * rules.dutyRate * 1.01)",
   "the duty is off by one percent"),
  ("src/core/AmountBox.cpp", '    box.setText("0");', '    box.setText("");', "an emptied fee box is not refilled"),
  ("src/totals/SurchargeService.cpp", "ctx_.fixed(text::checked(base + ctx_.number(surchargeText)), 2);",
   "ctx_.fixed(text::checked(base), 2);", "the surcharge is not added to the freight"),
  ("src/totals/DeliveryOptions.cpp", "const bool club = f.cboFreightOptions[0].text() == kClubOption;",
   "const bool club = f.cboFreightOptions[0].text() != kClubOption;", "club and home delivery swapped"),
  ("src/totals/TotalDeposit.cpp", "for (int i : {0, 1, 2, 3, 5, 7, 4}) {", "for (int i : {0, 1, 2, 3, 5, 7}) {",
   "the deposit leaves the freight out"),
  # lineitems/
  ("src/lineitems/LineRows.cpp", "return static_cast<int>(text::leadingNumber(ctx_.grid().text(row - 1, Col::LineItem))) + 1;",
   "return static_cast<int>(text::leadingNumber(ctx_.grid().text(row - 1, Col::LineItem))) + 2;", "a new line number skips one"),
  ("src/lineitems/EntryChecks.cpp", "return s.number(s.d.quantity) < 0; }", "return s.number(s.d.quantity) < -1; }",
   "a negative quantity passes the check"),
  ("src/lineitems/LineExport.cpp", "currencyId = ctx_.general(text::leadingNumber(grid.text(row, Col::CurrencyID)));",
   "currencyId = std::string(grid.text(row, Col::CurrencyID));", "the CurrencyID exports with its letter"),
  ("src/lineitems/LineStaging.cpp", "double price = in_.amount(field(c), recordNo, c, columnName(*column)) * rate_;",
   "double price = in_.amount(field(c), recordNo, c, columnName(*column));", "loaded prices are not converted"),
  ("src/lineitems/LineHistory.cpp", "    if (step.journal.empty()) return;", "    return;", "a line command's journal is lost"),
  ("src/lineitems/LinePaste.cpp", 'return first == "description";', "return false;", "a pasted header row becomes a line"),
  ("src/lineitems/LineCommands.cpp", "for (int c = 0; c <= Col::ExtPrice; ++c) st.clipCells.emplace_back(grid.text(row, c));",
   "for (int c = 0; c < Col::ExtPrice; ++c) st.clipCells.emplace_back(grid.text(row, c));", "the copied line loses a cell"),
  ("src/lineitems/EntryHandlers.cpp", "if (point.size() == 1 && typed != point && typed != ctx_.locale.groupSeparator)",
   "if (point.size() == 1 && typed != point)", "en-US turns a typed thousands comma into a point"),
  # taxservices/
  ("src/taxservices/TaxResultXml.cpp", "case '&': entity = \"&amp;\"; break;", "case '&': continue;", "a result text goes out unescaped"),
  ("src/taxservices/InternalTaxService.cpp", '(grid.text(r, Col::Exempt) == kExemptMark ? "True" : "False")',
   '(grid.text(r, Col::Exempt) == kExemptMark ? "False" : "True")', "exemption is sent reversed"),
  # taxes/
  ("src/taxes/TaxCommand.cpp", "    if (-rewards > extended) {", "    if (rewards > extended) {", "rewards are used up wrongly"),
  ("src/taxes/TaxFeeExchange.cpp", "return ctx_.general(text::divide(v, rate));", "return ctx_.general(v);",
   "the summary is not in the vendor's currency"),
  ("src/taxes/TaxFields.cpp", 'f.lblField[TXT_STATETAX].setCaption(canadian ? "Province" : "State");',
   'f.lblField[TXT_STATETAX].setCaption("State");', "a Canadian order says State"),
  ("src/taxes/VendorFreight.cpp", "f.txtFee[Fee::Freight].setText(ctx_.fixed(st.factoryPickup ? 0 : *freight, 2));",
   "f.txtFee[Fee::Freight].setText(ctx_.fixed(*freight, 2));", "a factory pickup pays freight"),
  # control/
  ("src/control/OrderedItems.cpp", 'return add == "Add to Grid" || add == "Update";', 'return add == "Add to Grid";',
   "an edited line does not count as open"),
  ("src/control/OrderedItems.cpp", "    if (IsOpenLineChanged() &&", "    if (false &&", "Esc discards typing without asking"),
  # qt/
  ("qt/src/GridView.cpp", "{QKeySequence::Paste, &PasteRequested}, {QKeySequence::Delete, &DeleteRequested}, {QKeySequence::Copy, &CopyRequested}};",
   "{QKeySequence::Paste, &PasteRequested}, {QKeySequence::Copy, &CopyRequested}};", "Delete on the grid does nothing"),
  ("qt/src/OrderedItemsWidget.cpp", "return QObject::tr(!button.visible() && otherMode && h.whyHidden ? h.whyHidden : h.whyNot);",
   "return QObject::tr(!button.visible() && h.whyHidden ? h.whyHidden : h.whyNot);", "the Delete hint is wrong in Add Mode"),
  ("qt/src/bindings/ComboBoxBinding.cpp", "combo_->setEnabled(model_.enabled() && !model_.locked());",
   "combo_->setEnabled(model_.enabled());", "a locked list takes picks and Enter"),
  ("qt/src/GridTableModel.cpp", "int GridTableModel::tableRow(int gridRow) const { return gridRow - grid_.fixedRows(); }",
   "int GridTableModel::tableRow(int gridRow) const { return gridRow; }", "the table shows the grid's rows one off"),
  ("qt/src/bindings/TextBoxBinding.cpp", "text.replace(start, length, pasted);", "text.insert(start, pasted);",
   "a paste does not replace the selection"),
]

def run(cmd, log):
    with open(log, "w") as out:
        return subprocess.run(cmd, stdout=out, stderr=subprocess.STDOUT).returncode

caught = missed = invalid = 0
for n, (path, line, becomes, what) in enumerate(FAULTS, 1):
    if only and n not in only:
        continue
    target = root / "src" / path
    original = target.read_text()
    if original.count(line) != 1:
        print(f"{n:3}  INVALID  {what}: the line is in {path} {original.count(line)} times")
        invalid += 1
        continue
    target.write_text(original.replace(line, becomes))
    try:
        if run(["cmake", "--build", str(root / "build")], root / "fault-build.log") != 0:
            print(f"{n:3}  INVALID  {what}: does not build ({root}/fault-build.log)")
            invalid += 1
            continue
        # The first failing test is enough: the fault is caught.
        failed = run(["ctest", "--test-dir", str(root / "build"), "-j", "2", "--timeout", "120", "--stop-on-failure"],
                     root / f"fault-{n}.log") != 0
        print(f"{n:3}  {'caught' if failed else 'MISSED'}   {what} ({path})", flush=True)
        caught += failed
        missed += not failed
    finally:
        target.write_text(original)
print(f"caught {caught} of {caught + missed} planted faults ({missed} missed, {invalid} invalid)")
run(["cmake", "--build", str(root / "build")], root / "restore-build.log")
sys.exit(1 if invalid else 0)
PY
