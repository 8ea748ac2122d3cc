#!/usr/bin/env bash
# Installs the Debian package, runs both installed programs on the sample
# declaration, checks the desktop integration, removes the package and checks
# that every installed file went with it.
#   tests/package/test_package.sh [PACKAGE.deb]   (without one, scripts/package.sh builds it)
# It changes the system, so it runs only as root with ZORV_PACKAGE_TEST=1;
# otherwise it reports a skip (77).
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

if [ "${ZORV_PACKAGE_TEST:-}" != 1 ] || [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installs a package; run as root with ZORV_PACKAGE_TEST=1"
  exit 77
fi
if dpkg-query -W -f='${Status}' zorv2008 2>/dev/null | grep -q "ok installed"; then
  echo "FAIL: zorv2008 is installed already; remove it first (dpkg -r zorv2008)"
  exit 1
fi
for tool in xdg-mime mimetype update-desktop-database update-mime-database; do
  command -v "$tool" >/dev/null || {
    echo "FAIL: $tool is missing (apt-get install xdg-utils libfile-mimeinfo-perl desktop-file-utils shared-mime-info)"
    exit 1
  }
done

deb=${1:-}
if [ -z "$deb" ]; then
  deb=$("$source_dir/scripts/package.sh" | tail -n 1) || { echo "FAIL: the package was not built"; exit 1; }
fi

work=$(mktemp -d /tmp/zorv-package-XXXXXX)
installed=false
cleanup() {
  if $installed; then dpkg -r zorv2008 >/dev/null 2>&1; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A user of our own: no settings or desktop choices of the machine's users count.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_DATA_DIRS=/usr/local/share:/usr/share XDG_CURRENT_DESKTOP='' LC_ALL=C.UTF-8
mkdir -p "$HOME"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Prints the command and its output, as a transcript.
run() {
  echo "\$ $*"
  "$@" 2>&1
  local status=$?
  [ $status -eq 0 ] || echo "(exit status $status)"
  return $status
}

run dpkg -i "$deb" || run apt-get install -f -y || { fail "the package did not install"; exit 1; }
installed=true
run dpkg -s zorv2008 | grep -E '^(Package|Version|Depends|Recommends|Installed-Size):'
dpkg -L zorv2008 | sort >"$work/files"
echo "installed: $(wc -l <"$work/files") paths"

for path in /usr/bin/zorv2008 /usr/bin/zorv /usr/share/zorv2008/help/index.html \
            /usr/share/applications/zorv2008.desktop; do
  [ -e "$path" ] || fail "$path is not installed"
done
# The private libraries, and every library the programs need, are found.
module=$(grep '/libzorvprint\.so$' "$work/files")
grep -q '/libqz2008rep\.so$' "$work/files" || fail "the report library is not installed"
[ -n "$module" ] || fail "the print module is not installed"
for program in /usr/bin/zorv2008 /usr/bin/zorv $module; do
  missing=$(ldd "$program" | grep "not found")
  [ -z "$missing" ] || fail "$program misses libraries: $missing"
done

# The command-line tool: a document from the sample, its totals and its paper form.
sample=$source_dir/data/samples/employee.json
doc=$work/employee.zv8
run zorv convert "$sample" "$doc" || fail "zorv convert"
echo "\$ zorv calc $doc  (section 1 of the totals)"
zorv calc "$doc" >"$work/calc.json" || fail "zorv calc"
sed -n '/"Section1"/,/}/p' "$work/calc.json"
grep -q '"Section1"' "$work/calc.json" || fail "zorv calc gave no totals: $(head -c 300 "$work/calc.json")"
run zorv print "$doc" -o "$work/employee.pdf" || fail "zorv print"
[ "$(head -c 5 "$work/employee.pdf" 2>/dev/null)" = "%PDF-" ] || fail "zorv print wrote no PDF"

# The desktop program opens the document and ends when its window is closed. A
# message at the start (reference files or user guide not found, document not
# read) would keep it open until the time limit.
cp "$doc" "$work/before.zv8"
echo "\$ QT_QPA_PLATFORM=offscreen ZORV_QUIT_AFTER_MS=1000 timeout 60 zorv2008 $doc"
QT_QPA_PLATFORM=offscreen ZORV_QUIT_AFTER_MS=1000 timeout 60 zorv2008 "$doc" >"$work/gui.log" 2>&1
status=$?
grep -v "propagateSizeHints" "$work/gui.log"
echo "exit status $status"
[ $status -eq 0 ] || fail "zorv2008 did not end cleanly (status $status; 124: still open after 60 s)"
cmp -s "$doc" "$work/before.zv8" || fail "zorv2008 changed the document it only opened"

# The document type and its program.
echo "\$ xdg-mime query default application/x-zorv2008"
default=$(xdg-mime query default application/x-zorv2008 2>&1)
echo "$default"
[ "$default" = zorv2008.desktop ] || fail "the default program of application/x-zorv2008 is '$default'"
[ -f /usr/share/mime/application/x-zorv2008.xml ] || fail "the document type was not registered"
# A document is known by its name and, renamed, by its content.
cp "$doc" "$work/declaration"
for file in "$doc" "$work/declaration"; do
  echo "\$ xdg-mime query filetype $file"
  type=$(xdg-mime query filetype "$file" 2>&1)
  echo "$type"
  [ "$type" = application/x-zorv2008 ] || fail "$file is taken for '$type'"
done
grep -q '^MimeType=application/x-zorv2008;' /usr/share/applications/zorv2008.desktop ||
  fail "the desktop entry does not name the document type"

run dpkg -r zorv2008 || fail "dpkg -r"
installed=false
# Every path the package installed is gone, but for folders other packages own.
left=0
while IFS= read -r path; do
  [ -e "$path" ] || [ -L "$path" ] || continue
  if [ -d "$path" ] && [ ! -L "$path" ] && dpkg -S "$path" >/dev/null 2>&1; then continue; fi
  fail "left after removal: $path"
  left=$((left + 1))
done <"$work/files"
echo "left after removal: $left of $(wc -l <"$work/files") paths"
[ ! -e /usr/share/mime/application/x-zorv2008.xml ] || fail "the document type stays registered"
grep -qs 'x-zorv2008' /usr/share/applications/mimeinfo.cache && fail "the desktop database still names zorv2008"

if [ $failures -ne 0 ]; then
  echo "FAILED: $failures problem(s)"
  exit 1
fi
echo "PASSED: installed, ran and removed $deb"
