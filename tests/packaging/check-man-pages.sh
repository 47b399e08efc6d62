#!/bin/sh
# The manual pages say what the programs say: each page names the program's version, every
# option of Velor32 --help is in Velor32(1), and every command of vnqtool --help has its section
# in vnqtool(1), titled with the command's usage line and naming each of its options.
# Usage: check-man-pages.sh <man dir> <Velor32> <vnqtool>
set -eu
man_dir=$1 velor32=$2 vnqtool=$3
failed=0

# The page's text without roff's escapes and font changes.
plain() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\[,\/&]//g' "$1"; }
options() { grep -o -- '--[a-z0-9][a-z0-9-]*' | sort -u; }
lacks() { echo "$1"; failed=1; }

check_version() {
    version=$("$2" --version | awk '{ print $NF }')
    plain "$man_dir/$1.1" | grep -q "^\.TH .*\"$1 $version\"" || lacks "$1.1 is not of version $version"
}

check_version Velor32 "$velor32"
check_version vnqtool "$vnqtool"

page=$(plain "$man_dir/Velor32.1")
for option in $("$velor32" --help | options); do
    printf '%s\n' "$page" | grep -q -- "$option" || lacks "Velor32.1 lacks $option"
done

commands=$("$vnqtool" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z0-9-]*\).*/\1/p')
[ -n "$commands" ] || lacks "vnqtool --help lists no commands"
for command in $commands; do
    help=$("$vnqtool" "$command" --help)
    usage=$(printf '%s\n' "$help" | sed -n 's/^Usage: //p')
    # The command's section: from its title to the next section or subsection.
    section=$(plain "$man_dir/vnqtool.1" |
        awk -v title=".SS \"$usage\"" '$0 == title { on = 1; next } /^\.S[HS] / { on = 0 } on')
    if [ -z "$section" ]; then
        lacks "vnqtool.1 has no section \"$usage\""
        continue
    fi
    for option in $(printf '%s\n' "$help" | options); do
        printf '%s\n' "$section" | grep -q -- "$option" || lacks "vnqtool.1 lacks $option of $command"
    done
done
[ "$failed" -eq 0 ] && echo "manual pages agree with --help"
exit "$failed"
