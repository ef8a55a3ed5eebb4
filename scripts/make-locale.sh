#!/usr/bin/env bash
# Compiles the ja_JP.UTF-8 locale into DIR (for LOCPATH). Wine takes code page 932 from the
# locale's name alone, but maps Japanese file names to the host only when the locale exists.
set -eu
dir=$1
[ -f "$dir/ja_JP.UTF-8/LC_CTYPE" ] && exit 0
mkdir -p "$dir"
localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" 2>/dev/null || [ -f "$dir/ja_JP.UTF-8/LC_CTYPE" ]
