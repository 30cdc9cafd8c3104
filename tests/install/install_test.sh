#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets from it.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install_tree: $*" >&2; exit 1; }
for tool in desktop-file-validate update-mime-database groff; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh installs it)"
done

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

# The program folder under lib/korvane, the programs on the path in bin/, nothing of the tests.
for f in lib/korvane/korvane lib/korvane/korvane-cli lib/korvane/korvane-unitsim \
         lib/korvane/Language/English.dat lib/korvane/Language/Deu_hlp.dat lib/korvane/Language/Dansk.dat \
         lib/korvane/oem/user.oem lib/korvane/oem/welcome.oem lib/korvane/Data/Example.zeb \
         bin/korvane bin/korvane-cli bin/korvane-unitsim \
         share/applications/korvane.desktop share/mime/packages/korvane.xml \
         share/icons/hicolor/scalable/apps/korvane.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-korvane-configuration.svg \
         share/man/man1/korvane.1.gz share/man/man1/korvane-cli.1.gz share/man/man1/korvane-unitsim.1.gz \
         share/metainfo/org.korvane.Korvane.metainfo.xml share/doc/korvane/copyright \
         share/doc/korvane/changelog.gz share/lintian/overrides/korvane \
         share/bash-completion/completions/korvane-cli; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
for f in "$prefix"/lib/korvane/*; do
    case "$(basename "$f")" in
        korvane | korvane-cli | korvane-unitsim | Language | oem | Data) ;;
        *) fail "lib/korvane holds $(basename "$f"), which is no part of the program" ;;
    esac
done
[ -L "$prefix/bin/korvane-cli" ] || fail "bin/korvane-cli is not a link into the program folder"

# The programs run from bin/ and find their folder through the link.
"$prefix/bin/korvane-cli" --help | grep -q '^usage: korvane-cli COMMAND' || fail "korvane-cli --help"
# The example loads completely (exit 9: it loads and check lists problems in it, no fault of the install).
rc=0
"$prefix/bin/korvane-cli" check "$prefix/lib/korvane/Data/Example.zeb" >/dev/null || rc=$?
[ "$rc" -eq 0 ] || [ "$rc" -eq 9 ] || fail "korvane-cli check of the example (exit $rc)"
# export-hex reads the unit labels from Language/English.dat in the program folder.
records=$("$prefix/bin/korvane-cli" export-hex "$prefix/lib/korvane/Data/Example.zeb" --clock 2024-05-01T12:00:00) ||
    fail "korvane-cli export-hex found no program folder"
[ "$(printf '%s\n' "$records" | tail -n 1 | tr -d '\r')" = ":00000001FF" ] || fail "export-hex ends without the end record"
[ "$("$prefix/bin/korvane" --help | head -n 1)" = "Usage: korvane [FILE]" ] || fail "korvane --help"
[ "$("$prefix/bin/korvane" --version)" = "korvane 3.07" ] || fail "korvane --version"
# Without a display: a wrong option is a usage error, not a crash of the window system.
set +e
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/korvane" --frobnicate >/dev/null 2>&1
status=$?
set -e
[ "$status" -eq 2 ] || fail "korvane --frobnicate exits $status, not 2"

# The desktop entry is valid and offers the program for the file type that names both extensions.
desktop-file-validate "$prefix/share/applications/korvane.desktop" || fail "desktop entry not valid"
grep -qx 'MimeType=application/x-korvane-configuration;' "$prefix/share/applications/korvane.desktop" ||
    fail "the desktop entry does not name the file type"
grep -qx 'Exec=korvane %f' "$prefix/share/applications/korvane.desktop" || fail "the desktop entry does not pass the file"
update-mime-database "$prefix/share/mime" || fail "update-mime-database refused the file type"
for ext in zeb x07; do
    grep -q "^application/x-korvane-configuration:\*\.$ext\$" "$prefix/share/mime/globs" ||
        fail "*.$ext is not of the file type"
done
[ -s "$prefix/share/mime/application/x-korvane-configuration.xml" ] || fail "no description of the file type"

# The manual pages render without a warning, and korvane-cli's names every command it has.
for page in korvane korvane-cli korvane-unitsim; do
    warnings=$(zcat "$prefix/share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
done
manual=$(zcat "$prefix/share/man/man1/korvane-cli.1.gz")
commands=$("$prefix/bin/korvane-cli" --help | awk '/^commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')
[ -n "$commands" ] || fail "korvane-cli --help lists no commands"
for c in $commands; do
    printf '%s\n' "$manual" | grep -qE "^\.BI? \"?$c( |\"|\$)" || fail "korvane-cli.1 does not describe $c"
done
# bash loads the completion by the command's name and completes its commands with it.
reply=$(bash -c 'source "$1"; COMP_WORDS=(korvane-cli ch); COMP_CWORD=1; _korvane_cli; echo "${COMPREPLY[*]}"' _ \
    "$prefix/share/bash-completion/completions/korvane-cli")
[ "$reply" = check ] || fail "the installed completion completes 'ch' as '$reply'"
echo "install_tree: the installed tree is complete"
