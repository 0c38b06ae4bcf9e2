# shellcheck shell=bash
# The key label column beside the pop-up's slot list: its 72 labels, how it follows the list's
# scrolling, and the preview of a slot's clip in a yellow hint when a label is clicked.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

LABEL_ROW_HEIGHT=13
ROWS_PER_PAGE=36
HINT_CLASS=TQvHintWindow
PREVIEW_SLOT=5 # its clip has three lines and a vertical bar
PREVIEW_FIRST_LINE='left|right'

# ---------------------------------------------------------------- helpers

# The test store, with slot PREVIEW_SLOT holding a three-line clip with a "|".
write_store_with_preview_clip() {
  qv_write_store '\r\n'
  local file
  file="$(qv_dir)/svclips.qvl"
  PREVIEW_LINE="$PREVIEW_FIRST_LINE" perl -pi -e \
    's/^text of slot '"$PREVIEW_SLOT"'\r$/$ENV{PREVIEW_LINE}\r\nsecond line\r\nthird line\r/' "$file"
  grep -q 'left|right' "$file" || fail "test data: no preview clip in the store"
  cp "$file" "$E2E_TEST_ARTIFACTS/original-svclips.qvl"
}

# Starts the program and Notepad, then calls up the pop-up with F5 from Notepad.
start_and_show_popup() {
  qv_write_rows '\r\n'
  write_store_with_preview_clip
  qv_write_prefs F5 100 0000000000
  qv_start
  notepad_start || fail "Notepad did not start"
  qv_wait_in_tray || fail "the program did not reach the tray after start-up"
  notepad_activate
  xdotool key F5
  probe wait-visible "$QV_MAIN_CLASS" 5000 || fail "F5 did not call up the pop-up"
  read -r -a POPUP <<<"$(probe rect "$QV_MAIN_CLASS")"
}

# The labels the column shows from its top row on: one page.
visible_labels() {
  local top
  top=$(probe topindex "$QV_MAIN_CLASS" "$QV_ID_KEY_LABELS")
  probe items "$QV_MAIN_CLASS" "$QV_ID_KEY_LABELS" | sed -n "$((top + 1)),$((top + ROWS_PER_PAGE))p" | tr -d '\n'
}

_top_index_is() { [[ "$(probe topindex "$QV_MAIN_CLASS" "$1")" == "$2" ]]; }

# Scrolls the slot list one page down with a click in its scroll bar's trough.
scroll_list_to_second_page() {
  xdotool mousemove $((POPUP[0] + 230)) $((POPUP[1] + 386)) click 1
  wait_until 3 _top_index_is "$QV_ID_SLOT_LIST" "$ROWS_PER_PAGE" ||
    fail "the slot list did not scroll to row $ROWS_PER_PAGE"
}

# label_point K: the screen point of the label beside visible row K (0-based).
label_point() { echo "$((POPUP[0] + 17)) $((POPUP[1] + 20 + LABEL_ROW_HEIGHT * $1 + 6))"; }

# preview_label K: clicks the label beside visible row K, then moves the pointer a pixel to
# and fro within the column, which shows the hint; waits for it. A click that did not reach
# the column (Wine can take the first click after the pop-up came up for its activation) is
# repeated once, with a note in the log.
preview_label() {
  local point attempt
  read -r -a point <<<"$(label_point "$1")"
  for attempt in 1 2; do
    xdotool mousemove "${point[0]}" "${point[1]}" click 1
    wait_until 2 _wiggle_until_hint "${point[@]}" && return 0
    e2e_note "no hint after the click on label $1 (attempt $attempt): pointer" \
      "$(xdotool getmouselocation), foreground $(probe foreground)"
  done
  return 1
}
_wiggle_until_hint() {
  xdotool mousemove $(($1 + 1 + RANDOM % 2)) $(($2 + 1))
  hint_visible
}

hint_visible() { [[ "$(probe visible "$HINT_CLASS" 2>/dev/null)" == 1 ]]; }

# pixel_count IMAGE GEOMETRY RRGGBB: how many pixels of that colour the area holds.
pixel_count() {
  convert "$1" -crop "$2" +repage -fill black +opaque "#$3" -fill white -opaque "#$3" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

# ---------------------------------------------------------------- tests

test_column_lists_72_labels_in_order() {
  start_and_show_popup
  local page="1 2 3 4 5 6 7 8 9 0 A B C D E F G H I J K L M N O P Q R S T U V W X Y Z"
  assert_eq "$page $page" "$(probe items "$QV_MAIN_CLASS" "$QV_ID_KEY_LABELS" | paste -sd' ')" \
    "labels"
  assert_eq 72 "$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | wc -l)" "rows in the list"
  notepad_activate
  qv_close || fail "the program did not end after WM_CLOSE"
}

test_labels_follow_the_list_to_the_second_page() {
  start_and_show_popup
  assert_eq 0 "$(probe topindex "$QV_MAIN_CLASS" "$QV_ID_KEY_LABELS")" "label top row at first"
  assert_eq 1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ "$(visible_labels)" "labels on the first page"
  shot page-1

  scroll_list_to_second_page
  # Timer3 brings the column to the list's top row within 100 ms.
  wait_until 2 _top_index_is "$QV_ID_KEY_LABELS" "$ROWS_PER_PAGE" ||
    fail "the label column did not follow: top row $(probe topindex "$QV_MAIN_CLASS" "$QV_ID_KEY_LABELS")"
  assert_eq 1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ "$(visible_labels)" "labels on the second page"
  xdotool mousemove $((POPUP[0] + 248)) $((POPUP[1] + 250)) # off the scroll bar, on the panel
  shot page-2
  # The labels are drawn beside the rows: the column of page 2 looks like page 1's.
  local image1="$E2E_TEST_ARTIFACTS/page-1.png" image2="$E2E_TEST_ARTIFACTS/page-2.png"
  local column="15x468+$((POPUP[0] + 10))+$((POPUP[1] + 20))"
  cmp -s <(convert "$image1" -crop "$column" +repage rgb:-) <(convert "$image2" -crop "$column" +repage rgb:-) ||
    fail "the label column looks different on the second page"
  notepad_activate
  qv_close || fail "the program did not end after WM_CLOSE"
}

test_label_click_previews_clip_with_broken_bar() {
  start_and_show_popup
  # A one-line clip first: its hint height is the measure for the three-line one.
  preview_label 0 || fail "no hint after a click on label 1"
  local one_line
  read -r -a one_line <<<"$(probe rect "$HINT_CLASS")"
  shot preview-one-line

  preview_label "$PREVIEW_SLOT" || fail "no hint after a click on label $((PREVIEW_SLOT + 1))"
  local hint pointer
  read -r -a hint <<<"$(probe rect "$HINT_CLASS")"
  read -r -a pointer <<<"$(label_point "$PREVIEW_SLOT")"
  shot preview
  local image="$E2E_TEST_ARTIFACTS/preview.png"
  convert "$image" -crop "$((hint[2] - hint[0] + 40))x$((hint[3] - hint[1] + 40))+$((hint[0] - 20))+$((hint[1] - 20))" \
    +repage -scale 400% "$E2E_TEST_ARTIFACTS/preview-hint-zoomed.png"

  # Below the pointer, yellow.
  ((hint[1] > pointer[1])) || fail "the hint is not below the pointer: top ${hint[1]}, pointer ${pointer[1]}"
  (($(pixel_count "$image" "6x6+$((hint[2] - 8))+$((hint[3] - 8))" FFFF00) == 36)) ||
    fail "the hint is not yellow"
  # Three lines: the hint display would cut the text at a "|" left in it.
  local one_height=$((one_line[3] - one_line[1])) height=$((hint[3] - hint[1]))
  ((height >= one_height + 2 * 10)) ||
    fail "the hint is $height px high, a one-line hint $one_height px: not three lines"
  # "left" + broken bar + "right" is wider than "left" alone and than "third line".
  local width=$((hint[2] - hint[0]))
  ((width > one_line[2] - one_line[0] - 30)) || fail "the hint is only $width px wide"

  # The broken bar: a vertical stroke with a gap, between "left" and "right" on line 1.
  assert_eq broken "$(bar_shape "$image" "${hint[@]}")" "the bar drawn between left and right"

  # Off the column (onto the slot list) the hint goes.
  xdotool mousemove $((POPUP[0] + 120)) "${pointer[1]}"
  probe wait-hidden "$HINT_CLASS" 3000 || fail "the hint stayed after the pointer left the column"
  # Back on the column, after the tracking has switched the hints off: no hint.
  xdotool mousemove "${pointer[0]}" "${pointer[1]}"
  sleep 0.3
  xdotool mousemove $((pointer[0] + 1)) $((pointer[1] + 1))
  ! probe wait-visible "$HINT_CLASS" 700 || fail "the hint came back without a new click"

  # The preview changes nothing: the store keeps its "|" byte for byte.
  notepad_activate
  probe wait-hidden "$QV_MAIN_CLASS" 3000 || fail "the pop-up did not hide"
  qv_close || fail "the program did not end after WM_CLOSE"
  assert_same_file "$E2E_TEST_ARTIFACTS/original-svclips.qvl" "$(qv_dir)/svclips.qvl"
}

# bar_shape IMAGE LEFT TOP RIGHT BOTTOM: how the hint draws the character between "left" and
# "right" on its first line: "broken" (a stroke, a gap, a stroke: the broken bar), "solid" or
# "none". It is the second column of ink that stands alone (no ink either side) on the line;
# the first is the "l" of "left".
bar_shape() {
  local image=$1 left=$2 top=$3 right=$4
  convert "$image" -crop "$((right - left - 4))x14+$((left + 2))+$((top + 2))" +repage \
    -colorspace gray -threshold 60% txt:- |
    awk -F'[,: ]+' '
      NR > 1 { ink[$2, $1] = ($0 ~ /#000000|black|gray\(0\)/); if ($1 > w) w = $1; if ($2 > h) h = $2 }
      END {
        n = 0; col = 0
        for (x = 1; x < w && !col; x++) {
          c = 0; l = 0; r = 0
          for (y = 0; y <= h; y++) { c += ink[y, x]; l += ink[y, x - 1]; r += ink[y, x + 1] }
          if (c > 0 && l == 0 && r == 0 && ++n == 2) col = x
        }
        if (!col) { print "none"; exit }
        state = 0
        for (y = 0; y <= h; y++) {
          if (ink[y, col] && (state == 0 || state == 2)) state++
          else if (!ink[y, col] && state == 1) state = 2
        }
        print (state == 3 ? "broken" : "solid")
      }'
}
