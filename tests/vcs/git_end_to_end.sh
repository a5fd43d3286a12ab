#!/usr/bin/env bash
# Record files in a real git repository: git setup, a one-field change in `git diff`, a clean
# merge of two branches that changed different fields of one NPC, and a conflicting merge.
# Runs in a temporary folder with its own HOME, so no user or system git configuration counts.
set -euo pipefail
CLI="${AETHRIAN_CLI:?}"
EXAMPLES="${1:?examples folder}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" GIT_CONFIG_NOSYSTEM=1 PATH="$(dirname "$CLI"):$PATH"
mkdir -p "$HOME" "$work/repo"
cd "$work/repo"
fail() { echo "FAIL: $*" >&2; exit 1; }

git init -q -b main
git config user.name "Test Operator"
git config user.email "operator@example.invalid"
"$CLI" git setup >"$work/setup1.out"
grep -q "added npcdata\*.txt diff=aethrian merge=aethrian" "$work/setup1.out" || fail "setup did not add the attributes"
[ "$(git config merge.aethrian.driver)" = "'$CLI' merge %O %A %B -o %A --name %P" ] || fail "merge driver: $(git config merge.aethrian.driver)"
cp .gitattributes "$work/attributes.before"
"$CLI" git setup >"$work/setup2.out"
cmp -s .gitattributes "$work/attributes.before" || fail "a second setup changed .gitattributes"
grep -qv "already" "$work/setup2.out" && fail "a second setup changed something: $(cat "$work/setup2.out")"

# The base: the example npcdata as the editor saves it.
"$CLI" convert npc "$EXAMPLES/npcdata.txt" -o npcdata.txt
git add .gitattributes npcdata.txt
git commit -qm base

# A one-field change shows as that field's old and new line, nothing else.
"$CLI" change npcdata.txt --column acquire_exp_rate --row 1 --multiply 2 -o npcdata.txt >/dev/null
git diff -U0 npcdata.txt | grep -E '^[-+][^-+]' >"$work/diff.out"
printf '%s\n' '-npc 20001 [orc_grunt] acquire_exp_rate=4.2' '+npc 20001 [orc_grunt] acquire_exp_rate=8.4' >"$work/diff.expected"
diff -u "$work/diff.expected" "$work/diff.out" || fail "git diff of a one-field change"
# The record-level report as git's external diff.
# (Outputs go to files before grep -q reads them: with pipefail an early grep exit would fail the
# writer.)
GIT_EXTERNAL_DIFF="$CLI diff" git diff --ext-diff npcdata.txt >"$work/ext.out"
grep -q "acquire_exp_rate: 4.2 -> 8.4" "$work/ext.out" || fail "external diff: $(cat "$work/ext.out")"
git checkout -q npcdata.txt

# Two branches, different fields of the same NPC: a clean merge, byte for byte what the editor
# saves after both changes.
git checkout -q -b rates main
"$CLI" change npcdata.txt --column acquire_exp_rate --row 1 --multiply 2 -o npcdata.txt >/dev/null
git commit -qam "double orc grunt exp"
git checkout -q -b sp main
"$CLI" change npcdata.txt --column acquire_sp --row 1 --multiply 3 -o npcdata.txt >/dev/null
git commit -qam "triple orc grunt sp"
"$CLI" change npcdata.txt --column acquire_exp_rate --row 1 --multiply 2 -o "$work/both.txt" >/dev/null
git checkout -q rates
git merge -q --no-edit sp || fail "the merge of different fields stopped"
cmp npcdata.txt "$work/both.txt" || fail "the merged file differs from the editor's save"

# The same field changed on both sides: the merge stops, names the conflict, marks the file.
git checkout -q -b ours main
"$CLI" change npcdata.txt --column acquire_exp_rate --row 1 --multiply 2 -o npcdata.txt >/dev/null
git commit -qam "exp x2"
git checkout -q -b theirs main
"$CLI" change npcdata.txt --column acquire_exp_rate --row 1 --multiply 3 -o npcdata.txt >/dev/null
git commit -qam "exp x3"
git checkout -q ours
if git merge --no-edit theirs >"$work/merge.out" 2>&1; then fail "the conflicting merge succeeded"; fi
grep -q "npcdata.txt: CONFLICT npc 20001 \[orc_grunt\] acquire_exp_rate: base 4.2, ours 8.4, theirs 12.6" "$work/merge.out" ||
  fail "conflict not named: $(cat "$work/merge.out")"
[ "$(git diff --name-only --diff-filter=U)" = "npcdata.txt" ] || fail "npcdata.txt is not marked conflicted"
"$CLI" textconv npcdata.txt >"$work/textconv.out"
grep -qx "npc 20001 \[orc_grunt\] acquire_exp_rate=(8.4 <> 12.6)" "$work/textconv.out" ||
  fail "the conflicting cell is not marked"
git merge --abort

# --global writes the drivers into the user's configuration.
"$CLI" git setup --global >/dev/null
[ "$(git config --global diff.aethrian.textconv)" = "'$CLI' textconv" ] || fail "--global"
echo "git end to end: passed"
