#!/usr/bin/env bash
# Draws the pictures built into the program (header, tab strip, banner frame, line, labels and
# SEARCH buttons of the resources section) as JPEG files in resources/pictures/, each at the size
# the window layout gives it. Light text on the dark purple and blue of the skin.
#
#   draw-pictures.sh                        all built-in pictures
#   draw-pictures.sh tab-strip OUT CHOSEN   one tab strip (CHOSEN: none, training, resources, sponsors)
#   draw-pictures.sh label OUT W H TEXT KIND  one label (KIND: heading, field)
#
# Needs ImageMagick and the DejaVu fonts (scripts/setup.sh installs both).
set -euo pipefail

FONT_DIR=/usr/share/fonts/truetype/dejavu
SANS=$FONT_DIR/DejaVuSans.ttf
SANS_BOLD=$FONT_DIR/DejaVuSans-Bold.ttf

PANEL=#1D054F        # section panels
FRAME=#080D37        # inside the search frames
BACKGROUND=#0A021A   # the window's background
OUTLINE=#55437B      # frame outlines
TEXT=#E4DEFF
FIELD_TEXT=#C0C0C0

require_tools() {
  command -v convert >/dev/null || { echo "draw-pictures: ImageMagick's convert is missing (run scripts/setup.sh)" >&2; exit 1; }
  for font in "$SANS" "$SANS_BOLD"; do
    [ -r "$font" ] || { echo "draw-pictures: font $font is missing (run scripts/setup.sh)" >&2; exit 1; }
  done
}

# Writes the picture that the convert arguments before it describe as a sharp JPEG.
jpeg() {
  local out=$1; shift
  convert "$@" -strip -sampling-factor 1x1 -quality 95 "jpeg:$out"
}

# label OUT W H TEXT KIND: a heading (bold, on the panel colour) or a field label (inside a frame).
label() {
  local out=$1 width=$2 height=$3 text=$4 kind=$5
  local font=$SANS_BOLD size=12 colour=$TEXT back=$PANEL
  if [ "$kind" = field ]; then font=$SANS; size=10; colour=$FIELD_TEXT; back=$FRAME; fi
  if [ "$height" -le 16 ]; then size=9; fi
  jpeg "$out" -size "${width}x${height}" "xc:$back" -font "$font" -pointsize "$size" -fill "$colour" \
    -gravity west -annotate +2+0 "$text"
}

# tab-strip OUT CHOSEN: the three captions, each centred over its clickable area (4..82,
# 101..185 and 202..280 in the picture); the chosen tab, if any, lit.
tab_strip() {
  local out=$1 chosen=$2
  local -a names=(training resources sponsors) captions=(TRAINING RESOURCES SPONSORS)
  local -a lefts=(4 101 202) rights=(82 185 280)
  local -a draw=(-size 300x18 "xc:$BACKGROUND" -fill "$OUTLINE" -draw "rectangle 0,17 299,17")
  local i
  for i in 0 1 2; do
    local fill=#9C92C8
    if [ "${names[$i]}" = "$chosen" ]; then
      draw+=(-fill "$PANEL" -stroke "$OUTLINE" -draw "rectangle ${lefts[$i]},1 ${rights[$i]},17" -stroke none)
      fill=#FFFFFF
    fi
    local centre=$(( (lefts[i] + rights[i]) / 2 - 150 ))
    draw+=(-font "$SANS_BOLD" -pointsize 10 -fill "$fill" -gravity center -annotate "$(printf '%+d+0' "$centre")" "${captions[$i]}")
  done
  jpeg "$out" "${draw[@]}"
}

header() {
  jpeg "$1" -size 1013x70 -define gradient:direction=east "gradient:#17287A-#040722" \
    -fill "#2B3FA8" -stroke "#8CA0F0" -strokewidth 2 -draw "roundrectangle 16,13 60,57 8,8" \
    -stroke none -fill "#E8ECFF" -draw "polygon 31,23 31,47 50,35" \
    -font "$SANS_BOLD" -pointsize 34 -fill "#E8ECFF" -annotate +74+44 "Tovrelle" \
    -font "$SANS" -pointsize 11 -fill "#8FA0E0" -annotate +76+60 "VIDEO TRAINING"
}

search_button() {
  jpeg "$1" -size 63x20 "xc:$FRAME" -fill "#3A1C7A" -stroke "$OUTLINE" -draw "roundrectangle 0,0 62,19 4,4" \
    -stroke none -font "$SANS_BOLD" -pointsize 10 -fill "#FFFFFF" -gravity center -annotate +0+0 "SEARCH"
}

all_pictures() {
  local dir
  dir=$(cd "$(dirname "$0")" && pwd)/pictures
  mkdir -p "$dir"
  header "$dir/header.jpg"
  tab_strip "$dir/tab-strip.jpg" none
  jpeg "$dir/banner-frame.jpg" -size 470x62 "xc:$PANEL" -fill none -stroke "#6A50A8" -draw "rectangle 0,0 469,61"
  jpeg "$dir/thin-line.jpg" -size 800x1 "xc:$OUTLINE"
  search_button "$dir/search-button.jpg"
  label "$dir/tutorials-label.jpg" 73 19 "Tutorials" heading
  label "$dir/plugins-scripts-label.jpg" 133 22 "Plugins / Scripts" heading
  label "$dir/jobs-label.jpg" 42 22 "Jobs" heading
  label "$dir/results-label.jpg" 61 20 "Results" heading
  label "$dir/reviews-articles-label.jpg" 145 21 "Reviews / Articles" heading
  label "$dir/application-label.jpg" 74 21 "Application:" field
  label "$dir/keyword-label.jpg" 59 19 "Keyword:" field
  label "$dir/industry-label.jpg" 53 19 "Industry:" field
  label "$dir/plugin-label.jpg" 41 19 "Plugin" field
  label "$dir/script-label.jpg" 37 18 "Script" field
  label "$dir/review-label.jpg" 42 14 "Review" field
  label "$dir/article-label.jpg" 41 16 "Article" field
}

require_tools
case "${1:-all}" in
  all) all_pictures ;;
  tab-strip) tab_strip "$2" "$3" ;;
  label) label "$2" "$3" "$4" "$5" "$6" ;;
  *) echo "usage: $0 [all | tab-strip OUT CHOSEN | label OUT W H TEXT KIND]" >&2; exit 2 ;;
esac
