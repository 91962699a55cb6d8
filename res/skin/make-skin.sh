#!/usr/bin/env bash
# res/skin/make-skin.sh
# Draws the program's skin: the PNG and GIF pictures that ship in Res\Eng and the bitmaps that
# the program's resource script takes by id. One dark palette throughout; shapes only, no text,
# so the pictures look the same whatever fonts a machine has. Deterministic: the same script
# gives the same bytes (no time stamps in the files).
#   make-skin.sh PICTURE_DIR BITMAP_DIR
# PICTURE_DIR receives the Res\Eng pictures; BITMAP_DIR receives <id>.bmp / <id>.jpg and
# "skin-bitmaps.rc", the resource lines that take them in (an .rc file can #include it).
set -euo pipefail
pictures=${1:?picture folder}
bitmaps=${2:?bitmap folder}
mkdir -p "$pictures" "$bitmaps"
pictures=$(cd "$pictures" && pwd)
bitmaps=$(cd "$bitmaps" && pwd)
# The real ImageMagick, not whatever "convert" comes first on PATH.
IM=/usr/bin/convert

# Palette (the program's own colours as RGB; in code they are COLORREFs, 0x00BBGGRR).
BG=#171A1C        # client background (0x1C1A17)
PANEL=#1E2431     # main window fill (0x31241E)
DIALOG=#242B3B    # dialog fill (0x3B2B24)
STRIP=#293142     # bottom button strip (0x423129)
FRAME=#35425E     # main window frame (0x5E4235)
ACCENT=#00DB7C    # separator and location text (0x7CDB00)
ACCENT_HI=#3CF29E
ACCENT_LO=#009E5A
BLUE=#0085E7      # check-box text (0xE78500)
BLUE_HI=#00A2FF   # link hover (0xFFA200)
BLUE_LO=#045498   # link pressed (0x985404)
TEXT=#AFBADB      # message text (0xDBBAAF)
MUTED=#7E88B0     # group caption (0xB0887E)
FAINT=#4A5878
ROW=#1C212B       # result rows (0x2B211C)
AMBER=#F2A541
RED=#E0524A
NEARWHITE=#EEF1F8 # "white" strokes: pure white is the transparent key of many pictures

# No time stamps or text; an explicit 96 dpi, so that nothing scales a picture by resolution.
PNG_OPTS=(-strip -define png:include-chunk=pHYs -units PixelsPerInch -density 96)

# png NAME WIDTH HEIGHT [ImageMagick drawing options...]: a transparent canvas drawn on.
png() {
    local name=$1 w=$2 h=$3
    shift 3
    "$IM" -size "${w}x${h}" xc:none "$@" "${PNG_OPTS[@]}" "PNG32:$pictures/$name"
}

# bmp ID WIDTH HEIGHT BACKGROUND [drawing options...]: an opaque 24-bit bitmap.
bmp() {
    local id=$1 w=$2 h=$3 bg=$4
    shift 4
    "$IM" -size "${w}x${h}" "xc:$bg" "$@" -alpha off -type TrueColor "BMP3:$bitmaps/$id.bmp"
}

# Jobs run side by side; a failed one leaves a mark, and the script fails at the end.
jobs_max=$(nproc)
failed=$(mktemp)
rm -f "$failed"
run() {
    ( "$@" || { echo "make-skin.sh: failed: $*" >&2; touch "$failed"; } ) &
    while [ "$(jobs -rp | wc -l)" -ge "$jobs_max" ]; do wait -n || true; done
}

# arc CX CY R FROM TO: an open circular arc (degrees, clockwise from 3 o'clock) as short
# round-capped lines; ImageMagick's arc, partial ellipse, path arc and long polylines all come
# out closed by a chord.
arc() {
    awk -v cx="$1" -v cy="$2" -v r="$3" -v a0="$4" -v a1="$5" 'BEGIN {
        k = 3.14159265358979 / 180
        n = int((a1 - a0) / 3) + 1
        printf "stroke-linecap round"
        for (i = 0; i < n; i++) {
            a = (a0 + (a1 - a0) * i / n) * k
            b = (a0 + (a1 - a0) * (i + 1) / n) * k
            printf " line %.2f,%.2f %.2f,%.2f", cx + r * cos(a), cy + r * sin(a), cx + r * cos(b), cy + r * sin(b)
        }
    }'
}

# ---------------------------------------------------------------- Res\Eng pictures

# Result tree: check boxes, expand arrows, preview buttons, category icons (Part "Result tree").
run png checkbox_no_list.png 16 16 -fill "$PANEL" -stroke "$MUTED" -strokewidth 1 \
    -draw "roundrectangle 1,1 14,14 3,3"
run png checkbox_yes_list.png 16 16 -fill "$ACCENT" -stroke "$ACCENT_LO" -strokewidth 1 \
    -draw "roundrectangle 1,1 14,14 3,3" -fill none -stroke "$BG" -strokewidth 2 \
    -draw "polyline 4,8 7,11 12,5"
arrow_states() { # name-stem, polygon
    local stem=$1 shape=$2
    run png "${stem}_normal.png" 10 10 -fill "$MUTED" -stroke none -draw "polygon $shape"
    run png "${stem}_hover.png" 10 10 -fill "$TEXT" -stroke none -draw "polygon $shape"
    run png "${stem}_press.png" 10 10 -fill "$ACCENT" -stroke none -draw "polygon $shape"
}
arrow_states arrow2 "1,2 9,2 5,8"   # expanded: points down
arrow_states arrow3 "2,1 8,5 2,9"   # collapsed: points right
preview_state() { # name, colour
    run png "$1" 20 16 -fill none -stroke "$2" -strokewidth 2 -draw "circle 8,7 8,2" \
        -draw "line 12,11 17,15"
}
preview_state preview_normal.png "$MUTED"
preview_state preview_hover.png "$ACCENT"
preview_state preview_press.png "$ACCENT_LO"
run png tree_item_pic.png 16 16 -fill none -stroke "$ACCENT" -strokewidth 1 \
    -draw "rectangle 1,2 14,13" -fill "$ACCENT" -stroke none -draw "polygon 3,12 7,6 10,10 11,8 13,12" \
    -draw "circle 11,5 11,4"
run png tree_item_vid.png 16 16 -fill none -stroke "$RED" -strokewidth 1 \
    -draw "roundrectangle 1,3 14,12 2,2" -fill "$RED" -stroke none -draw "polygon 6,5 11,8 6,11"
run png tree_item_doc.png 16 16 -fill "$PANEL" -stroke "$BLUE_HI" -strokewidth 1 \
    -draw "polygon 3,1 10,1 13,4 13,14 3,14" -stroke "$BLUE_HI" \
    -draw "line 5,6 11,6" -draw "line 5,9 11,9" -draw "line 5,12 9,12"
run png tree_item_aud.png 16 16 -fill "$AMBER" -stroke none -draw "ellipse 5,12 3,2 0,360" \
    -draw "ellipse 12,10 3,2 0,360" -stroke "$AMBER" -strokewidth 2 \
    -draw "line 7,12 7,3" -draw "line 14,10 14,2" -draw "line 7,3 14,2"
run png tree_item_oth.png 16 16 -fill "$MUTED" -stroke none \
    -draw "polygon 1,4 6,4 8,6 15,6 15,14 1,14" -fill "$FAINT" -draw "rectangle 1,7 15,8"
# A row record's default icon and preview pictures.
run png pic.png 16 16 -fill none -stroke "$MUTED" -strokewidth 1 -draw "rectangle 1,2 14,13" \
    -fill "$MUTED" -stroke none -draw "polygon 3,12 7,6 10,10 11,8 13,12"
run png preview.png 96 96 -fill "$ROW" -stroke "$FAINT" -strokewidth 2 \
    -draw "roundrectangle 2,2 93,93 8,8" -fill "$FAINT" -stroke none \
    -draw "polygon 16,76 40,40 58,64 66,54 80,76" -draw "circle 68,28 68,20"
# Results page: shown where no tree is visible.
run png tips.png 220 140 -fill "$ROW" -stroke "$FAINT" -strokewidth 2 \
    -draw "roundrectangle 30,30 120,120 6,6" -draw "roundrectangle 50,14 140,104 6,6" \
    -stroke "$FAINT" -strokewidth 3 -draw "line 66,40 124,40" -draw "line 66,56 124,56" \
    -draw "line 66,72 108,72" -fill none -stroke "$MUTED" -strokewidth 8 \
    -draw "circle 160,84 160,58" -strokewidth 12 -draw "line 180,104 206,130"

# Start page: background, location icons, the idle picture pair and the scan animation.
run "$IM" -size 1000x640 "gradient:$PANEL-$BG" \
    -fill none -stroke "#20283A" -strokewidth 2 -draw "circle 500,300 500,60" \
    -draw "circle 500,300 500,20" -stroke "#1D2433" -draw "circle 500,300 500,-30" \
    -fill "$FRAME" -stroke none -draw "rectangle 0,638 1000,640" "${PNG_OPTS[@]}" \
    "PNG32:$pictures/index_bg.png"
run png icon_disk.png 32 32 -fill "$FRAME" -stroke "$MUTED" -strokewidth 2 \
    -draw "roundrectangle 2,9 29,24 4,4" -fill "$ACCENT" -stroke none -draw "circle 24,17 24,15" \
    -fill "$MUTED" -draw "rectangle 6,16 16,18"
run png icon_forder.png 32 32 -fill "$AMBER" -stroke none \
    -draw "polygon 2,6 12,6 15,9 30,9 30,27 2,27" -fill "#D68A2E" -draw "rectangle 2,12 30,13"
scan_button() { # name, ring colour, glow radius
    run png "$1" 200 200 -fill "#0A3B2A" -stroke "$2" -strokewidth 6 -draw "circle 100,100 100,$3" \
        -fill "$ACCENT_LO" -stroke none -draw "circle 100,100 100,28" \
        -fill none -stroke "$NEARWHITE" -strokewidth 9 -draw "circle 92,92 92,58" \
        -strokewidth 13 -draw "line 116,116 140,140"
}
scan_button scan_a.png "$ACCENT" 12
scan_button scan_b.png "$ACCENT_HI" 6
for i in $(seq 1 34); do
    start=$(( (i - 1) * 360 / 34 - 90 ))
    run png "progress$i.png" 200 200 -fill none -stroke "$DIALOG" -strokewidth 14 \
        -draw "circle 100,100 100,20" -stroke "$ACCENT" \
        -draw "$(arc 100 100 80 $start $((start + 100)))" \
        -stroke "$ACCENT_HI" -draw "$(arc 100 100 80 $((start + 80)) $((start + 100)))" \
        -stroke "$TEXT" -strokewidth 8 -draw "circle 94,94 94,64" -strokewidth 11 \
        -draw "line 115,115 136,136"
done

# Dialogs: message and notice icons, logo, help picture.
run png warning.png 48 48 -fill "$AMBER" -stroke "#C98420" -strokewidth 2 \
    -draw "polygon 24,3 45,43 3,43" -fill "$BG" -stroke none \
    -draw "roundrectangle 21,15 27,31 2,2" -draw "circle 24,37 24,34"
run png remove_finished.png 48 48 -fill "$ACCENT" -stroke "$ACCENT_LO" -strokewidth 2 \
    -draw "circle 24,24 24,3" -fill none -stroke "$BG" -strokewidth 5 \
    -draw "polyline 13,25 21,33 35,16"
run png about_logo.png 64 64 -fill "$BLUE" -stroke none -draw "roundrectangle 4,4 42,42 8,8" \
    -fill "$ACCENT" -draw "roundrectangle 22,22 60,60 8,8" -fill "#00B0B0" \
    -draw "rectangle 22,22 42,42" -fill none -stroke "$BG" -strokewidth 3 \
    -draw "polyline 31,42 38,49 51,34"
run png helpFound.png 610 100 -fill "$ROW" -stroke "$FAINT" -strokewidth 2 \
    -draw "roundrectangle 10,10 130,90 6,6" -draw "roundrectangle 480,10 600,90 6,6" \
    -fill "#10322A" -stroke "$ACCENT" -draw "roundrectangle 245,10 365,90 6,6" \
    -fill none -stroke "$MUTED" -strokewidth 3 \
    -draw "line 30,35 110,35" -draw "line 30,50 110,50" -draw "line 30,65 90,65" \
    -draw "line 500,35 580,35" -draw "line 500,50 580,50" -draw "line 500,65 560,65" \
    -stroke "$ACCENT" -draw "line 265,35 345,35" -draw "line 265,50 345,50" \
    -draw "line 265,65 325,65" -stroke "$FAINT" -strokewidth 2 \
    -draw "line 140,50 235,50" -draw "line 375,50 470,50" \
    -fill "$FAINT" -stroke none -draw "polygon 235,44 243,50 235,56" \
    -draw "polygon 470,44 478,50 470,56"

# Animated waits: twelve dots going round, on the dialogs' client colour (GIF keeps no alpha).
spinner_gif() { # name, size, dot radius
    local name=$1 size=$2 r=$3 frames=() c=$(( $2 / 2 )) ring=$(( $2 / 2 - $3 - 1 ))
    local tmp
    tmp=$(mktemp -d)
    for f in $(seq 0 11); do
        local draw=()
        for d in $(seq 0 11); do
            local age=$(( (f - d + 12) % 12 )) colour
            case $age in
                0) colour=$ACCENT_HI ;; 1) colour=$ACCENT ;; 2) colour=$ACCENT_LO ;;
                *) colour=$FRAME ;;
            esac
            # Positions from a fixed table of angles (30 degrees apart), rounded by awk.
            local xy
            xy=$(awk -v c="$c" -v ring="$ring" -v d="$d" \
                'BEGIN { a = d * 3.14159265 / 6; printf "%d,%d", c + ring * sin(a), c - ring * cos(a) }')
            draw+=(-fill "$colour" -draw "circle $xy ${xy%,*},$(( ${xy#*,} + r ))")
        done
        "$IM" -size "${size}x${size}" "xc:$BG" "${draw[@]}" "$tmp/f$(printf %02d "$f").png"
        frames+=("$tmp/f$(printf %02d "$f").png")
    done
    "$IM" -delay 8 -loop 0 "${frames[@]}" "$pictures/$name"
    rm -rf "$tmp"
}
run spinner_gif loading.gif 32 3
run spinner_gif loading_common_tip.gif 40 4

# Further skin pictures for layout widgets (filter rows, image buttons, image check and
# icon-and-text buttons); Resource.xml names them.
run png filter_check.png 16 16 -fill "$ACCENT" -stroke "$ACCENT_LO" -strokewidth 1 \
    -draw "roundrectangle 1,1 14,14 3,3" -fill none -stroke "$BG" -strokewidth 2 \
    -draw "polyline 4,8 7,11 12,5"
run png filter_nocheck.png 16 16 -fill "$PANEL" -stroke "$MUTED" -strokewidth 1 \
    -draw "roundrectangle 1,1 14,14 3,3"
run png img_check.png 18 18 -fill "$BLUE" -stroke "$BLUE_LO" -strokewidth 1 \
    -draw "roundrectangle 1,1 16,16 4,4" -fill none -stroke "$NEARWHITE" -strokewidth 2 \
    -draw "polyline 5,9 8,12 13,6"
run png img_uncheck.png 18 18 -fill "$PANEL" -stroke "$MUTED" -strokewidth 1 \
    -draw "roundrectangle 1,1 16,16 4,4"
img_button() { # name, fill, ring
    run png "$1" 32 32 -fill "$2" -stroke "$3" -strokewidth 2 -draw "circle 16,16 16,2" \
        -fill none -stroke "$NEARWHITE" -strokewidth 3 -draw "circle 14,14 14,8" \
        -draw "line 18,18 23,23"
}
img_button img_btn_normal.png "$FRAME" "$MUTED"
img_button img_btn_hover.png "$ACCENT_LO" "$ACCENT"
img_button img_btn_press.png "#0A3B2A" "$ACCENT_LO"
img_button img_btn_disable.png "$PANEL" "$FAINT"
icon_state() { # name, colour
    run png "$1" 24 24 -fill "$2" -stroke none -draw "polygon 2,5 9,5 11,8 22,8 22,20 2,20"
}
icon_state icon_text_normal.png "$MUTED"
icon_state icon_text_hover.png "$TEXT"
icon_state icon_text_press.png "$ACCENT"
icon_state icon_text_disable.png "$FAINT"
text_bg() { # name, top, bottom, border
    run "$IM" -size 160x40 "gradient:$2-$3" -fill none -stroke "$4" -strokewidth 1 \
        -draw "rectangle 0,0 159,39" "${PNG_OPTS[@]}" "PNG32:$pictures/$1"
}
text_bg text_bg_normal.png "$DIALOG" "$PANEL" "$FRAME"
text_bg text_bg_hover.png "#2C3650" "$DIALOG" "$MUTED"
text_bg text_bg_press.png "#0A3B2A" "#072A1E" "$ACCENT"
text_bg text_bg_disable.png "$PANEL" "$PANEL" "$DIALOG"

# ---------------------------------------------------------------- bitmaps by resource id

# Check box of type-7 widgets: 195 checked, 193 unchecked (stretched into the box).
run bmp 193 13 13 "$PANEL" -fill "$PANEL" -stroke "$MUTED" -draw "rectangle 0,0 12,12"
run bmp 195 13 13 "$ACCENT" -fill "$ACCENT" -stroke "$ACCENT_LO" -draw "rectangle 0,0 12,12" \
    -fill none -stroke "$BG" -strokewidth 2 -draw "polyline 3,6 5,9 10,3"

# Push buttons drawn in three slices: 25 px left cap, 20 px tiles from x 25, 5 px right cap;
# so everything between x 25 and the last 5 px is the same from column to column.
button() { # id, width, height, top colour, bottom colour, border
    local id=$1 w=$2 h=$3
    run "$IM" -size "${w}x${h}" "xc:$BG" \( -size "$((w - 2))x$((h - 2))" "gradient:$4-$5" \) \
        -geometry +1+1 -composite -fill none -stroke "$6" -strokewidth 1 \
        -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 4,4" -alpha off -type TrueColor \
        "BMP3:$bitmaps/$id.bmp"
}
# Styles 0 and 2: set A (plain) 204 normal, 203 hover, 205 pressed, 202 disabled;
# set B (primary) 200, 199, 201 (202 disabled); 350 the marker picture.
button 204 80 28 "#34425F" "#2A3550" "$FRAME"
button 203 80 28 "#3E4F73" "#32405F" "$MUTED"
button 205 80 28 "#222B3F" "#283349" "$FRAME"
button 202 80 28 "#262B36" "#23272F" "#2E3441"
button 200 80 28 "#00C571" "#00A25D" "$ACCENT_LO"
button 199 80 28 "#22E58C" "#00C270" "$ACCENT"
button 201 80 28 "#008C50" "#00A25D" "#006E40"
button 350 80 28 "#34425F" "#2A3550" "$FRAME"
# Style 1 (110 x 40): set A 385, 384, 386, 383; set B 532, 531, 533, 530.
button 385 110 40 "#1A8FEA" "#0070CC" "$BLUE_LO"
button 384 110 40 "#3AA6F5" "#0A82E0" "$BLUE_HI"
button 386 110 40 "#005DAE" "#0070CC" "$BLUE_LO"
button 383 110 40 "#2A3140" "#252B38" "#323A4B"
button 532 110 40 "#00C571" "#00A25D" "$ACCENT_LO"
button 531 110 40 "#22E58C" "#00C270" "$ACCENT"
button 533 110 40 "#008C50" "#00A25D" "#006E40"
button 530 110 40 "#2A3140" "#252B38" "#323A4B"

# Host bottom strip (stretched over a 50 px band, 0x1C1A17 transparent).
run "$IM" -size 16x50 "gradient:$STRIP-$PANEL" -alpha off -type TrueColor "BMP3:$bitmaps/525.bmp"

# Caption buttons of pop-up dialogs: 550 normal, 549 hover, 551 pressed (close).
caption_close() { # id, background, cross colour
    run bmp "$1" 30 30 "$2" -fill none -stroke "$3" -strokewidth 2 \
        -draw "line 10,10 19,19" -draw "line 19,10 10,19"
}
caption_close 550 "$DIALOG" "$MUTED"
caption_close 549 "$RED" "$NEARWHITE"
caption_close 551 "#A8372F" "$TEXT"
# Caption buttons for the main window's "HomeCaption" layout (ids chosen here, free in the
# program): 600-602 minimise, 603-605 maximise, 606-608 restore, 609-611 close;
# normal, hover, pressed each.
main_caption() { # first id, glyph drawing
    local id=$1
    shift
    run bmp "$id" 30 30 "$PANEL" -fill none -stroke "$MUTED" -strokewidth 2 "$@"
    run bmp "$((id + 1))" 30 30 "$FRAME" -fill none -stroke "$TEXT" -strokewidth 2 "$@"
    run bmp "$((id + 2))" 30 30 "$DIALOG" -fill none -stroke "$ACCENT" -strokewidth 2 "$@"
}
main_caption 600 -draw "line 9,19 20,19"
main_caption 603 -draw "rectangle 9,9 20,20"
main_caption 606 -draw "rectangle 9,12 17,20" -draw "polyline 12,12 12,9 20,9 20,17 17,17"
# 612-614: the main window's menu button.
main_caption 612 -draw "line 9,10 20,10" -draw "line 9,15 20,15" -draw "line 9,20 20,20"
run bmp 609 30 30 "$PANEL" -fill none -stroke "$MUTED" -strokewidth 2 \
    -draw "line 10,10 19,19" -draw "line 19,10 10,19"
run bmp 610 30 30 "$RED" -fill none -stroke "$NEARWHITE" -strokewidth 2 \
    -draw "line 10,10 19,19" -draw "line 19,10 10,19"
run bmp 611 30 30 "#A8372F" -fill none -stroke "$TEXT" -strokewidth 2 \
    -draw "line 10,10 19,19" -draw "line 19,10 10,19"

# Update check: the wait animation (12 frames of 30 px on a white mask colour) and the
# outcome pictures 321 newer, 268 up to date, 324 failure.
strip_args=()
for f in $(seq 0 11); do
    x=$((f * 30 + 15))
    a=$((f * 30 - 90))
    strip_args+=(-fill none -stroke "$FRAME" -strokewidth 4 -draw "circle $x,15 $x,5"
                 -stroke "$ACCENT" -draw "$(arc $x 15 10 $a $((a + 90)))")
done
run bmp 347 360 30 "#FFFFFF" "${strip_args[@]}"
run bmp 321 48 48 "#FFFFFF" -fill "$ACCENT" -stroke none -draw "circle 24,24 24,3" \
    -fill "$BG" -draw "polygon 24,37 13,24 20,24 20,11 28,11 28,24 35,24"
run bmp 268 48 48 "#FFFFFF" -fill "$BLUE" -stroke none -draw "circle 24,24 24,3" \
    -fill none -stroke "$NEARWHITE" -strokewidth 5 -draw "polyline 13,25 21,33 35,16"
run bmp 324 48 48 "#FFFFFF" -fill "$RED" -stroke none -draw "circle 24,24 24,3" \
    -fill none -stroke "$NEARWHITE" -strokewidth 5 -draw "line 16,16 32,32" -draw "line 32,16 16,32"

# Freeze tip: 36 frames 441..476, 65 px, black is transparent there.
for f in $(seq 0 35); do
    a=$((f * 10 - 90))
    run bmp $((441 + f)) 65 65 "#000000" -fill none -stroke "$DIALOG" -strokewidth 7 \
        -draw "circle 32,32 32,8" -stroke "$ACCENT" -draw "$(arc 32 32 24 $a $((a + 110)))"
done
# Scan tip icon (black transparent) and the deep-scan offer icon.
run bmp 293 65 65 "#000000" -fill "$BLUE" -stroke "$BLUE_LO" -strokewidth 2 \
    -draw "polygon 32,4 58,14 56,38 32,60 8,38 6,14" -fill "$NEARWHITE" -stroke none \
    -draw "roundrectangle 29,26 35,46 2,2" -draw "circle 32,18 32,14"
run bmp 361 48 48 "#FFFFFF" -fill "$BLUE" -stroke none -draw "circle 24,24 24,3" \
    -fill none -stroke "$NEARWHITE" -strokewidth 4 -draw "circle 21,21 21,12" \
    -strokewidth 6 -draw "line 28,28 36,36"

# Skinned scroll bars (1008): 9 cells of 16 px; columns up, down, thumb, track (vertical),
# left, right, thumb, track (horizontal), unused; rows normal, hover, pressed. Thumbs keep
# 3 px caps and are uniform between them; tracks are uniform along their bar, so tiles join.
TRACK=#1A1F2A
GROOVE=#222A3A
scroll_args=(-fill "$TRACK" -stroke none -draw "rectangle 0,0 143,47")
for row in 0 1 2; do
    y=$((row * 16))
    case $row in
        0) glyph=$MUTED thumb=#3A4866 edge=#4A5A80 ;;
        1) glyph=$TEXT thumb=#4B5D85 edge=$MUTED ;;
        2) glyph=$ACCENT thumb=$ACCENT_LO edge=$ACCENT ;;
    esac
    scroll_args+=(
        # vertical track and groove (column 3), horizontal (column 7), unused column 8
        -fill "$GROOVE" -draw "rectangle 55,$y 56,$((y + 15))"
        -draw "rectangle 112,$((y + 7)) 127,$((y + 8))"
        # arrows: up, down, left, right
        -fill "$glyph" -draw "polygon 3,$((y + 10)) 12,$((y + 10)) 7.5,$((y + 5))"
        -draw "polygon 19,$((y + 6)) 28,$((y + 6)) 23.5,$((y + 11))"
        -draw "polygon 74,$((y + 3)) 74,$((y + 12)) 69,$((y + 7)).5"
        -draw "polygon 86,$((y + 3)) 86,$((y + 12)) 91,$((y + 7)).5"
        # thumbs
        -fill "$thumb" -stroke "$edge" -strokewidth 1
        -draw "roundrectangle 35,$y 44,$((y + 15)) 2,2"
        -draw "roundrectangle 96,$((y + 3)) 111,$((y + 12)) 2,2"
        -stroke none
    )
done
run bmp 1008 144 48 "$TRACK" "${scroll_args[@]}"

# Warm tip pictures, one per language (JPEG 494 + language index 0..5), drawn at the tip's own
# 540 x 345 so nothing stretches them. The tip is the picture: two copies of a file go to the
# recycle bin and a green arrow brings them back; the link rectangle (170,260)-(360,290) is a
# blue "more" button; the frame ends above the strip where the check box and OK sit, whose
# background (0x1C1A17) the strip matches. With no text in it, every language gets the same
# picture.
warm_art=(
    -fill "$BG" -draw "rectangle 0,300 539,344"
    -fill none -stroke "$FRAME" -strokewidth 2 -draw "roundrectangle 20,20 519,250 10,10"
    # two copies of a document
    -stroke "$MUTED" -strokewidth 2 -fill "$DIALOG" -draw "roundrectangle 70,95 140,185 6,6"
    -fill "$STRIP" -draw "roundrectangle 90,110 160,200 6,6"
    -stroke "$TEXT" -draw "line 102,135 148,135" -draw "line 102,150 148,150"
    -draw "line 102,165 135,165"
    # the way to the bin
    -stroke "$MUTED" -strokewidth 4 -draw "line 185,160 345,160"
    -stroke none -fill "$MUTED" -draw "polygon 345,148 345,172 365,160"
    # the recycle bin
    -stroke "$MUTED" -strokewidth 2 -fill "$PANEL" -draw "polygon 392,118 468,118 458,205 402,205"
    -fill "$FAINT" -draw "roundrectangle 382,104 478,116 3,3" -draw "rectangle 418,96 442,104"
    -stroke "$MUTED" -draw "line 414,132 418,192" -draw "line 430,132 430,192"
    -draw "line 446,132 442,192"
    # and back again
    -fill none -stroke "$ACCENT" -strokewidth 4 -draw "$(arc 270 190 140 212 328)"
    -stroke none -fill "$ACCENT" -draw "polygon 140,100 164,118 138,126"
    # the link: a button-like pill with an arrow
    -fill "$BLUE_LO" -stroke "$BLUE" -strokewidth 2 -draw "roundrectangle 170,260 360,290 14,14"
    -stroke "$NEARWHITE" -strokewidth 3 -draw "line 248,275 276,275"
    -stroke none -fill "$NEARWHITE" -draw "polygon 274,267 274,283 286,275"
)
for lang in 0 1 2 3 4 5; do
    run "$IM" -size 540x300 "gradient:$DIALOG-$PANEL" -background "$BG" -extent 540x345 \
        "${warm_art[@]}" -strip -quality 90 "JPEG:$bitmaps/$((494 + lang)).jpg"
done
wait
if [ -e "$failed" ]; then
    rm -f "$failed"
    exit 1
fi

# The resource lines, for the program's .rc (absolute paths: windres runs on this machine).
{
    echo "// skin-bitmaps.rc: made by res/skin/make-skin.sh"
    for f in "$bitmaps"/*.bmp; do
        id=$(basename "$f" .bmp)
        echo "$id BITMAP \"$f\""
    done | sort -n
    for f in "$bitmaps"/*.jpg; do
        id=$(basename "$f" .jpg)
        echo "$id JPEG \"$f\""
    done | sort -n
} >"$bitmaps/skin-bitmaps.rc"
