#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the real torvelin-calc where only a real process shows the behaviour:
# a full disk (for an answer, a batch, --help and --version), a file that
# does not exist, spreadsheet files in UTF-16 and code page 932, and a line
# longer than the memory the program may use, and the messages in Japanese
# under a Japanese locale while the answers stay the same.
# Usage: program_test.sh TORVELIN_CALC CASE
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
# A program that writes without end fails here instead of filling the disk.
ulimit -f 131072

# Runs the program on the remaining arguments and checks its exit status,
# standard output and standard error.
expect() {
    local status=$1 output=$2 errors=$3
    shift 3
    "$program" "$@" >"$work/out" 2>"$work/err"
    local actual=$?
    if [[ $actual -ne $status || "$(cat "$work/out")" != "$output" ||
          "$(cat "$work/err")" != "$errors" ]]; then
        echo "torvelin-calc $*: status $actual (expected $status)"
        echo "output:"; cat "$work/out"
        echo "errors:"; cat "$work/err"
        exit 1
    fi
}

case $2 in
    full_disk)
        full="torvelin-calc: write error: No space left on device"
        for arguments in "2013/10/28 120" --help -V; do
            "$program" $arguments >/dev/full 2>"$work/err"
            [[ $? -eq 4 && "$(cat "$work/err")" == "$full" ]] || { cat "$work/err"; exit 1; }
        done
        # No input after the failed write is read: none is complained about.
        yes "$(printf '2013/10/28\t120')" | head -n 300000 | "$program" - "$work/none" >/dev/full 2>"$work/err"
        [[ $? -eq 4 && "$(cat "$work/err")" == "$full" ]] || { cat "$work/err"; exit 1; }
        ;;
    missing_file)
        printf '2013/10/28\t120\n' >"$work/dates"
        expect 3 $'2014/02/24\n2014/02/24' "torvelin-calc: $work/none: No such file or directory" \
            "$work/dates" "$work/none" "$work/dates"
        ;;
    spreadsheet_encodings)
        # 平成25年10月28日<TAB>120 in UTF-16 (little- and big-endian) and code page 932.
        printf '\xff\xfe\x73\x5e\x10\x62\x32\x00\x35\x00\x74\x5e\x31\x00\x30\x00\x08\x67\x32\x00\x38\x00\xe5\x65\x09\x00\x31\x00\x32\x00\x30\x00\x0d\x00\x0a\x00' >"$work/le"
        printf '\xfe\xff\x5e\x73\x62\x10\x00\x32\x00\x35\x5e\x74\x00\x31\x00\x30\x67\x08\x00\x32\x00\x38\x65\xe5\x00\x09\x00\x31\x00\x32\x00\x30' >"$work/be"
        printf '\x95\xbd\x90\xac25\x94\x4e10\x8c\x8e28\x93\xfa\t120\r\n' >"$work/cp932"
        expect 0 $'2014/02/24\n2014/02/24' "" "$work/le" "$work/be"
        expect 0 "2014/02/24" "" --encoding=cp932 "$work/cp932"
        expect 1 "「始期」の日付を正しく入力してください yyyy/mm/dd" "" "$work/cp932"
        ;;
    long_line)
        # 1000 answers, a 200 MB line, one more answer, through a pipe: all
        # three kinds of answer come, in 300 MB of address space (unlimited
        # under AddressSanitizer, which reserves terabytes for its shadow).
        limit=${ADDRESS_SPACE_KIB:-300000}
        { yes "$(printf '2013/10/28\t120')" | head -n 1000
          head -c 200000000 /dev/zero | tr '\0' 7
          printf '\n2013/10/28\t1\n'; } |
            (ulimit -v "$limit"; "$program") >"$work/out" 2>"$work/err"
        status=${PIPESTATUS[1]}
        summary=$(LC_ALL=C sort "$work/out" | uniq -c | tr -s ' ')
        expected=$(printf ' 1 2013/10/28\n 1000 2014/02/24\n 1 「始期」の日付を正しく入力してください yyyy/mm/dd')
        [[ $status -eq 1 && "$summary" == "$expected" && ! -s "$work/err" ]] ||
            { echo "status $status"; echo "$summary"; cat "$work/err"; exit 1; }
        ;;
    messages_language)
        # Japanese from LANGUAGE under C.UTF-8, and from a ja_JP.UTF-8 locale
        # built here for this run; English under C, which ignores LANGUAGE.
        japanese=(env LC_ALL=C.UTF-8 LANGUAGE=ja "$program")
        if localedef -i ja_JP -f UTF-8 -c "$work/ja_JP.UTF-8" 2>/dev/null; then
            japanese_locale=(env LOCPATH="$work" LC_ALL=ja_JP.UTF-8 LANGUAGE= "$program")
        else
            japanese_locale=("${japanese[@]}")
        fi
        english=(env LC_ALL=C LANGUAGE=ja "$program")
        for run in japanese japanese_locale english; do
            declare -n command=$run
            "${command[@]}" --long days 1 2 >"$work/out" 2>"$work/usage"
            [[ $? -eq 2 ]] || { echo "$run: wrong status"; exit 1; }
            "${command[@]}" --help >"$work/help" || exit 1
            "${command[@]}" "$work/none" 2>"$work/missing"
            for case in "2013/10/28 120" "deadline --long 2013/10/28 3か月" "info 2025/01/01" \
                        "--format=csv days 2025/01/01 2025/12/31" "x 1" "age --reach=20 2000/02/29"; do
                "${command[@]}" $case
            done >"$work/answers.$run" 2>&1
            [[ $run == english ]] && break
            [[ "$(cat "$work/usage")" == "torvelin-calc: オプション '--long' は days 開始日 終了日 では使えません
詳しくは 'torvelin-calc --help' を実行してください。" &&
               "$(head -n 1 "$work/help")" == "使い方: torvelin-calc [オプション]... 起算日 日数" &&
               "$(cat "$work/missing")" == "torvelin-calc: $work/none: そのようなファイルやディレクトリはありません" ]] ||
                { echo "$run:"; cat "$work/usage" "$work/missing"; head -n 1 "$work/help"; exit 1; }
            # Descriptions start in column 25 however wide the names are.
            [[ $(grep -m 1 '^  days ' "$work/help" | sed 's/開始日 から.*//' | LC_ALL=C.UTF-8 wc -L) -eq 25 ]] ||
                { grep '^  days ' "$work/help"; exit 1; }
            cmp "$work/answers.$run" "$work/answers.japanese" || exit 1
        done
        [[ "$(head -n 1 "$work/usage")" == "torvelin-calc: option '--long' does not apply to days FROM TO" &&
           "$(head -n 1 "$work/help")" == "Usage: torvelin-calc [OPTION]... START COUNT" ]] ||
            { cat "$work/usage"; head -n 1 "$work/help"; exit 1; }
        cmp "$work/answers.english" "$work/answers.japanese" || exit 1
        ;;
    *) echo "program_test.sh: unknown case '$2'" >&2; exit 2 ;;
esac
