#!/usr/bin/env bash
# The headless Calc test of the extension:
#
#   run_calc_test.sh SOFFICE UNOPKG OXT WORKBOOK CHECKER
#
# installs OXT with unopkg into a private LibreOffice profile, opens WORKBOOK in a headless Calc that
# recalculates every formula on load, exports it to CSV and lets CHECKER compare every cell with the library.
# Then the same workbook once more through an Excel 97-2003 file, in which Calc stores the functions under
# their Excel names, as the Excel add-in's workbooks hold them.
#
# The profile, HOME and every temporary file live in one directory that is removed at the end; the test
# fails if the user's own LibreOffice profile changed. Every LibreOffice run is bounded in time, and killed
# together with its child processes when it overruns.
set -euo pipefail

if [ $# -ne 5 ]; then
  echo "usage: $0 SOFFICE UNOPKG OXT WORKBOOK CHECKER" >&2
  exit 2
fi
soffice=$1
unopkg=$2
oxt=$3
workbook=$4
checker=$5
readonly start_bound=90 install_bound=90 convert_bound=120  # seconds; within CTest's 600
# Comma-separated, double-quoted text, UTF-8, and the cell values rather than their formatted text.
readonly csv_filter='csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false'

# unopkg refuses to install into a user profile as root: then LibreOffice runs as the unprivileged user
# nobody, in a temporary directory that it owns, under /tmp so that it can reach it.
as_user=()
temporary=${TMPDIR:-/tmp}
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
  temporary=/tmp
fi
work=$(mktemp -d "$temporary/brimwater-calc.XXXXXX")
trap 'rm -rf "$work"' EXIT

user_profile=${XDG_CONFIG_HOME:-${HOME:-/nonexistent}/.config}/libreoffice
user_profile_state() {
  if [ -e "$user_profile" ]; then find "$user_profile" -printf '%p %s %T@\n' | sort; else echo "absent"; fi
}
user_profile_before=$(user_profile_state)

mkdir -p "$work/profile" "$work/home" "$work/tmp" "$work/csv" "$work/xls" "$work/xls-csv"
cp "$oxt" "$work/Brimwater.oxt"
cp "$workbook" "$work/workbook.fods"
profile="-env:UserInstallation=file://$work/profile"

if [ ${#as_user[@]} -gt 0 ]; then
  chown -R 65534:65534 "$work"
fi

fail() {
  echo "FAIL: $*"
  exit 1
}

# Runs a LibreOffice program with a bound in seconds, in a clean environment whose home is the temporary
# directory and whose locale is C (Calc: English, USA). timeout kills the program's whole process group.
run_office() {
  local bound=$1 what=$2
  shift 2
  local status=0
  timeout --kill-after=10 "$bound" env -i PATH=/usr/bin:/bin HOME="$work/home" TMPDIR="$work/tmp" \
    LANG=C.UTF-8 LC_ALL=C.UTF-8 "${as_user[@]}" "$@" >"$work/office.log" 2>&1 || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    cat "$work/office.log"
    fail "$what did not finish within $bound s and was killed"
  elif [ "$status" -ne 0 ]; then
    cat "$work/office.log"
    fail "$what failed with exit status $status"
  fi
}

# Converts $1 to $2 (a filter) into directory $3; soffice reports success even when it wrote nothing.
convert() {
  local started=$SECONDS
  run_office "$convert_bound" "soffice --convert-to $2" "$soffice" --headless --norestore "$profile" \
    --convert-to "$2" --outdir "$3" "$1"
  echo "soffice --convert-to ${2%%:*} of $(basename "$1"): $((SECONDS - started)) s"
}

started=$SECONDS
# A first start makes the profile; an extension added to a profile that LibreOffice never opened is dropped
# again when it first starts.
run_office "$start_bound" "the first start of soffice" "$soffice" --headless --norestore --terminate_after_init \
  "$profile"
settings=$work/profile/user/registrymodifications.xcu
[ -f "$settings" ] || fail "soffice made no profile in $work/profile"
# Recalculate every formula of an ODF file on loading it, whatever its cached values say (LibreOffice keeps
# the cached values of files that it saved itself).
sed -i 's#</oor:items>#<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>\n&#' \
  "$settings"
grep -q ODFRecalcMode "$settings" || fail "could not set the recalculation mode in $settings"

run_office "$install_bound" "unopkg add" "$unopkg" add -s "$profile" "$work/Brimwater.oxt"
echo "profile made and extension installed: $((SECONDS - started)) s"

convert "$work/workbook.fods" "$csv_filter" "$work/csv"
[ -s "$work/csv/workbook.csv" ] || fail "soffice wrote no CSV file"
echo "ODF workbook:"
"$checker" "$work/csv/workbook.csv" || fail "Calc's values differ from the library's"

convert "$work/workbook.fods" xls "$work/xls"
[ -s "$work/xls/workbook.xls" ] || fail "soffice wrote no Excel 97-2003 file"
# Calc writes each function under its Excel name (Psat, ...); the ODF name (org.brimwater.calc.Brimwater.Psat),
# in 8-bit or UTF-16 characters, would mean that Excel cannot read the file.
if LC_ALL=C grep -a -q -i -P 'org\.brimwater|o\x00r\x00g\x00\.\x00b\x00r\x00i\x00m' "$work/xls/workbook.xls"; then
  fail "the Excel 97-2003 file names the functions by their ODF names, not by their Excel names"
fi
convert "$work/xls/workbook.xls" "$csv_filter" "$work/xls-csv"
[ -s "$work/xls-csv/workbook.csv" ] || fail "soffice wrote no CSV file from the Excel 97-2003 file"
echo "the same workbook through an Excel 97-2003 file:"
"$checker" "$work/xls-csv/workbook.csv" || fail "Calc's values differ from the library's after the Excel 97-2003 file"

[ "$(user_profile_state)" = "$user_profile_before" ] || fail "the user's own profile $user_profile changed"
echo "LibreOffice runs: $((SECONDS - started)) s; the user's own profile $user_profile untouched"
