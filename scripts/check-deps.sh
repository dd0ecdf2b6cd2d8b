#!/usr/bin/env bash
# Checks that every program the tests and scripts call is installed by scripts/install-deps.sh,
# so that a fresh Debian 12 machine runs them all.
#
# The words of tests/, scripts/ and .ci/ that can name a program (the shell scripts without
# their comments, the C++ tests' string literals, CMake's find_program) are looked up on this
# machine; each one that is a program is mapped to its Debian package (dpkg -S), which must be
# in install-deps.sh's list, in the list's dependency closure (without recommends, as it
# installs them), or required on every Debian system. A program that no package installed is
# refused too. Run after install-deps.sh; exit 1 naming each program and its package.
set -euo pipefail
cd "$(dirname "$0")/.."

# The project's own programs, which the build makes.
readonly own_programs=' fondara fondara-calc '

eval "$(sed -n '/^packages=(/,/^)/p' scripts/install-deps.sh)"
[ "${#packages[@]}" -gt 0 ] || { echo "no package list in scripts/install-deps.sh" >&2; exit 1; }

declare -A provided=()
while read -r name; do
  provided[$name]=1
done < <(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
  --no-breaks --no-replaces --no-enhances "${packages[@]}" | grep -v '^ ' | tr -d '<>')
while read -r name essential priority; do
  [ "$essential" = yes ] || [ "$priority" = required ] && provided[$name]=1
done < <(dpkg-query -W -f='${Package} ${Essential} ${Priority}\n')

# The texts that may call programs, one command line a line: the shell scripts without their
# comments, the C++ tests' string literals (the shell commands and program names they run),
# CMake's find_program names.
command_texts() {
  local file
  while IFS= read -r -d '' file; do
    case $file in
      *.cpp | *.h) grep -o '"\([^"\\]\|\\.\)*"' "$file" | tr -d '"' || true ;;
      *CMakeLists.txt) { grep -o 'find_program([A-Z_]* [^ )]*' "$file" || true; } | sed 's/.* //' ;;
      *) sed 's/\(^\|[[:space:];]\)#.*//' "$file" ;;
    esac
  done < <(find tests scripts .ci -type f \( -name '*.sh' -o -name '*.py' -o -name '*.cpp' \
    -o -name '*.h' -o -name CMakeLists.txt -o -path .ci/run \) -print0)
}

# The words in command position: first in a command, after assignments and the words that run
# the rest (exec, command -v, sudo, env, nohup, time, xargs, timeout, setpriv, xvfb-run).
readonly prefix='(exec|command( -v)?|sudo|[$][{]?SUDO[}]?|env|nohup|time|xargs( -[^ ]+)*|timeout( -[^ ]+| [A-Z]+)* [0-9.]+[smh]?|setpriv( --?[^ ]+)*|xvfb-run( -[^ ]+( "[^"]*")?)*|[A-Za-z_][A-Za-z0-9_]*=[^ ]*) +'
candidate_words() {
  command_texts |
    sed -E 's/(&&|[|][|]|[$][(]|[;|&(){}`!]|(^|[[:space:]])(then|do|else|if|while|until)[[:space:]])/\n/g' |
    sed -E "s/^[[:space:]]+//; :strip; s/^$prefix//; t strip; s/^[A-Za-z_][A-Za-z0-9_]*=[^ ]*$//" |
    grep -o '^[A-Za-z][A-Za-z0-9_.+-]*' | sort -u
}

# Programs are looked up as on a fresh machine, where nothing is installed outside packages.
readonly system_path=/usr/sbin:/usr/bin:/sbin:/bin

declare -A program_path=() package_of=()
while read -r word; do
  case $own_programs in *" $word "*) continue ;; esac
  path=$(PATH=$system_path type -P "$word" 2>/dev/null) || continue
  program_path[$word]=$path
done < <(candidate_words)

# The package of every program, in one query: a file is known to dpkg by its real name, or by
# its name before /usr was merged.
names=()
for path in "${program_path[@]}"; do
  real=$(readlink -f "$path")
  names+=("$real" "${real#/usr}" "$path" "${path#/usr}")
done
while IFS= read -r line; do
  case $line in diversion*) continue ;; esac
  package_of[${line#*: }]=${line%%: *}
done < <(dpkg -S "${names[@]}" 2>/dev/null || true)

status=0
for word in "${!program_path[@]}"; do
  path=${program_path[$word]}
  real=$(readlink -f "$path")
  package=
  for name in "$real" "${real#/usr}" "$path" "${path#/usr}"; do
    package=${package_of[$name]:-}
    [ -n "$package" ] && break
  done
  package=${package%%,*}
  if [ -z "$package" ]; then
    echo "$word ($path) is installed by no Debian package" >&2
    status=1
  elif [ -z "${provided[${package%%:*}]:-}" ]; then
    echo "$word ($path) comes from $package, which scripts/install-deps.sh does not install" >&2
    status=1
  fi
done

[ "$status" -eq 0 ] &&
  echo "check-deps: ${#program_path[@]} programs, each installed by scripts/install-deps.sh"
exit "$status"
