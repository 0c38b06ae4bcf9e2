# shellcheck shell=bash
# Text in any script: through the editor, the files, a restart and a paste; a program folder
# named outside the code page; 8-bit files of another code page coming back byte for byte.

# shellcheck source=tests/e2e/test_editor.sh
source "$(dirname "${BASH_SOURCE[0]}")/test_editor.sh"

# Texts read and set as Unicode, shown as UTF-8.
utf8_probe() { QV_PROBE_UTF8=1 probe "$@"; }
utf8_set_clipboard() { utf8_probe set-clipboard-hex "$(printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n')"; }
utf8_notepad_text() { printf '%b' "$(utf8_probe window-text Notepad "$NOTEPAD_EDIT_ID")"; }
utf8_notepad_shows() { [[ "$(utf8_notepad_text)" == "$1" ]]; }
assert_utf8_pasted() { wait_until 5 utf8_notepad_shows "$1" || assert_eq "$1" "$(utf8_notepad_text)" "pasted"; }
row_title() { printf '%b' "$(utf8_probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | sed -n "$(($1 + 1))s/ *\/:hdr:.*//p")"; }

test_every_script_goes_through_editor_files_restart_and_paste() {
  # 28 characters pasted, 27 kept: the emoji at the end goes whole, not half of it.
  local typed='Grüße ✓ Привет 😀 中文 αβγδεζη😀' title='Grüße ✓ Привет 😀 中文 αβγδεζη' clip=$'Grüße → ✓ Привет 😀 中文\r\nΑθήνα e\xcc\x81'
  write_test_data
  start_with_notepad
  lock_and_add
  popup_click_row 4
  wait_until 5 title_reads 'Slot 04' || fail "row 4 was not loaded"
  utf8_set_clipboard "$typed" && editor_click 100 62
  xdotool key End shift+Home ctrl+v
  utf8_set_clipboard "$clip" && editor_click 150 130
  xdotool key ctrl+End ctrl+shift+Home Delete ctrl+v
  shot every-script
  update_clip
  wait_until 5 title_reads '' || fail "Update Clip did not clear the fields"
  close_editor
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Close did not hide the editor"
  # The two files that now hold characters outside the code page became UTF-8 with a mark;
  # the title's 27 characters are padded to 71.
  [[ "$(head -c 3 "$(qv_dir)/Lb1.qvl")$(head -c 3 "$(qv_dir)/svclips.qvl")" == $'\xef\xbb\xbf\xef\xbb\xbf' ]] ||
    fail "the rows and store files are not UTF-8 with a mark"
  grep -qF "$title$(printf '%44s' '')/:hdr:" "$(qv_dir)/Lb1.qvl" || fail "row 4 is not the title"
  grep -qF "${clip%%$'\r'*}" "$(qv_dir)/svclips.qvl" || fail "the store does not hold the clip"
  assert_file_bytes "$(qv_dir)/prefs.qvl" "$HOT_KEY\r\n100\r\n0000000000\r\n"

  qv_close || fail "the program did not end"
  qv_start
  qv_wait_in_tray || fail "the program did not start again"
  assert_eq "$title" "$(row_title 4)" "row 4 after the restart"
  notepad_clear && popup_show && xdotool key 5 && popup_wait_hidden
  assert_utf8_pasted "$clip"
  shot pasted
}

# The program's own folder, though the ANSI code page has no name for it: its files are the
# ones read and written.
test_a_folder_named_outside_the_code_page_is_the_programs_own() {
  qv_dir() { echo "$WINEPREFIX/drive_c/Ключи✓"; }
  QV_WIN_EXE='C:\Ключи✓\Quorvanel.exe'
  qv_install
  write_data_to_be_rewritten
  start_with_notepad
  notepad_clear && popup_show && xdotool key 4 && popup_wait_hidden
  assert_pasted 'text of slot 3'
  tray_quit
  assert_data_files_written
}

# Under code page 1251, an existing 8-bit file shows its Cyrillic text, pastes it, and comes
# back byte for byte.
test_files_of_another_code_page_come_back_byte_for_byte() {
  write_test_data
  local rows store
  rows=$(qv_dir)/Lb1.qvl store=$(qv_dir)/svclips.qvl
  printf '\xcf\xf0\xe8\xe2\xe5\xf2%65s/:hdr:\\%s\r\n' '' "$(qv_tag 0)" >"$rows.new"
  tail -n +2 "$rows" >>"$rows.new" && mv "$rows.new" "$rows"
  LC_ALL=C sed -i 's/^text of slot 0\r$/\xe4\xe0, \xb9 1\r/' "$store"
  cp "$rows" "$store" "$E2E_TEST_ARTIFACTS/"
  notepad_start || fail "Notepad did not start"
  LC_ALL=ru_RU.UTF-8 qv_start
  qv_wait_in_tray || fail "the program did not reach the tray"
  assert_eq 'Привет' "$(row_title 0)" "row 0"
  notepad_clear && popup_show && xdotool key 1 && popup_wait_hidden
  assert_utf8_pasted 'да, № 1'
  tray_quit
  assert_same_file "$E2E_TEST_ARTIFACTS/Lb1.qvl" "$rows"
  assert_same_file "$E2E_TEST_ARTIFACTS/svclips.qvl" "$store"
}

# Tags of 21 characters starting with "Ü" in a 1252 file (one byte there, two inside): key 2
# pastes row 1's clip, and an update of row 1 writes its own block alone.
test_tags_outside_ascii_find_their_own_slot() {
  local i tag dir
  dir=$(qv_dir) && rm -f "$dir/Lb1.qvl" "$dir/svclips.qvl"
  for ((i = 0; i < 72; i++)); do
    tag=$(printf '\xdcBUNGSLOT00%03d' "$i")
    printf 'Slot %02d%64s/:hdr:\\%s\r\n' "$i" '' "$tag" >>"$dir/Lb1.qvl"
    printf '/:hdr:\\%s\r\ntext of slot %d\r\n/:tlr:\\%s\r\n' "$tag" "$i" "$tag" >>"$dir/svclips.qvl"
  done
  cp "$dir/Lb1.qvl" "$E2E_TEST_ARTIFACTS/"
  LC_ALL=C sed 's/^text of slot 1\r$/new text\r/' "$dir/svclips.qvl" >"$E2E_TEST_ARTIFACTS/svclips.qvl"
  start_with_notepad
  notepad_clear && popup_show && xdotool key 2 && popup_wait_hidden
  assert_pasted 'text of slot 1'
  lock_and_add && popup_click_row 1
  wait_until 5 title_reads 'Slot 01' || fail "row 1 was not loaded"
  type_content 'new text' && update_clip
  wait_until 5 title_reads '' || fail "Update Clip did not clear the fields"
  tray_quit
  assert_same_file "$E2E_TEST_ARTIFACTS/Lb1.qvl" "$dir/Lb1.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/svclips.qvl" "$dir/svclips.qvl"
}
