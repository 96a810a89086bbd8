#!/usr/bin/env bash
# Generates the demo course: qel.ini in lesson mode with five lessons, the skin pictures of
# Media\, an introduction and five lesson videos, the button bar's silent sound, the local start
# page, and Sponsors\ with its list, two animated GIF banners, one HTML banner and the pages.
#
#   demo/make-course.sh OUTDIR
#
# Running it again rewrites every file the same way. Needs ffmpeg, ImageMagick and the DejaVu
# fonts (scripts/setup.sh installs them); resources/draw-pictures.sh draws the tab strips.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi

HERE=$(cd "$(dirname "$0")" && pwd)
DRAW="$HERE/../resources/draw-pictures.sh"
FONT_DIR=/usr/share/fonts/truetype/dejavu
SANS=$FONT_DIR/DejaVuSans.ttf
SANS_BOLD=$FONT_DIR/DejaVuSans-Bold.ttf
MONO_BOLD=$FONT_DIR/DejaVuSansMono-Bold.ttf

PANEL=#1D054F
FRAME=#080D37
BACKGROUND=#0A021A
OUTLINE=#55437B
TEXT=#E4DEFF
DIM_TEXT=#9C92C8

# Lesson strip geometry. Row n of the strip picture spans LESSON_OFFSET + (n-1) * pitch down by
# LESSON_HEIGHT, pitch being LESSON_SP + LESSON_HEIGHT. The highlight (42 high) goes at
# n * pitch + LESSON_OFFSET + SEL_DRAW_OFFSET in the training panel, where the strip starts at 36;
# SEL_DRAW_OFFSET = 36 - pitch + 21 puts it over the middle 42 pixels of row n.
LESSON_SP=16
LESSON_HEIGHT=84
LESSON_OFFSET=40
SEL_DRAW_OFFSET=-43
TITLES=("Getting Started" "Modelling Basics" "Materials and Light" "Animation" "Rendering")
SECONDS_LONG=(12 20 30 45 60)
INTRO_SECONDS=8

fail() { echo "make-course: $*" >&2; exit 1; }

require_tools() {
  local tool font
  for tool in ffmpeg convert; do
    command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
  done
  for font in "$SANS" "$SANS_BOLD" "$MONO_BOLD"; do
    [ -r "$font" ] || fail "font $font is missing (run scripts/setup.sh)"
  done
  [ -x "$DRAW" ] || fail "$DRAW is missing"
}

# Writes the picture that the convert arguments after OUT describe as a JPEG.
jpeg() {
  local out=$1; shift
  convert "$@" -strip -sampling-factor 1x1 -quality 92 "jpeg:$out"
}

write_qel_ini() {
  cat > "$OUT/qel.ini" <<INI
[Full]
numLessons=5
lessonSp=$LESSON_SP
lessonOffset=$LESSON_OFFSET
lessonHeight=$LESSON_HEIGHT
selDrawOffset=$SEL_DRAW_OFFSET
bookmark=tovrelle-demo.ini

[Main]
name=demo
INI
}

# The lesson strip, 285 × 551: one framed row per lesson with its number, title and length.
lesson_strip() {
  local -a draw=(-size 285x551 "xc:$PANEL" -font "$SANS_BOLD" -pointsize 11 -fill "$DIM_TEXT"
                 -annotate +8+24 "CHOOSE A LESSON")
  local n top
  for n in 1 2 3 4 5; do
    top=$(( LESSON_OFFSET + (n - 1) * (LESSON_SP + LESSON_HEIGHT) ))
    draw+=(-fill "#24095E" -stroke "$OUTLINE" -draw "roundrectangle 2,$top 282,$(( top + LESSON_HEIGHT )) 6,6" -stroke none
           -font "$SANS_BOLD" -pointsize 10 -fill "$DIM_TEXT" -annotate "+12+$(( top + 15 ))" "LESSON $n"
           -pointsize 15 -fill "$TEXT" -annotate "+12+$(( top + 48 ))" "${TITLES[$((n - 1))]}"
           -font "$SANS" -pointsize 10 -fill "$DIM_TEXT"
           -annotate "+12+$(( top + 76 ))" "$(printf '%d:%02d' $(( SECONDS_LONG[n - 1] / 60 )) $(( SECONDS_LONG[n - 1] % 60 )))")
  done
  jpeg "$OUT/Media/img_lessons_qel.jpg" "${draw[@]}"
}

# The lesson highlight, 253 × 42: a glowing frame with a transparent inside, pulsing.
highlight() {
  local -a frames=()
  local colour
  for colour in "#FFB020" "#FFC850" "#FFE090" "#FFC850"; do
    frames+=("(" -size 253x42 xc:none +antialias -fill none -stroke "$colour" -strokewidth 2
             -draw "rectangle 1,1 251,40" -fill "$colour" -stroke none -draw "polygon 240,14 240,28 247,21" ")")
  done
  convert -dispose background -delay 15 "${frames[@]}" -loop 0 "$OUT/Media/imgSel.gif"
}

skin_pictures() {
  local media=$OUT/Media
  lesson_strip
  jpeg "$media/img_lessons.jpg" -size 110x23 "xc:$PANEL" -font "$SANS_BOLD" -pointsize 13 -fill "$TEXT" \
    -gravity west -annotate +2+0 "LESSONS"
  jpeg "$media/vid_title.jpg" -size 720x22 -define gradient:direction=east "gradient:#3A1C7A-$PANEL" \
    -font "$SANS_BOLD" -pointsize 12 -fill "$TEXT" -gravity west -annotate +8+0 "VIDEO"
  jpeg "$media/main_bk.jpg" -size 1014x626 "xc:$PANEL" \
    "(" -size 1014x60 "gradient:$PANEL-#12033A" ")" -geometry +0+566 -composite
  jpeg "$media/lessons2_top_clstrip.jpg" -size 1020x9 "xc:$BACKGROUND" -fill "$OUTLINE" -draw "rectangle 0,4 1019,5"
  jpeg "$media/main2_top_clstrip.jpg" -size 1020x1 "xc:$OUTLINE"
  jpeg "$media/sp2_clstrip.jpg" -size 1020x5 "xc:$BACKGROUND" -fill "$OUTLINE" -draw "rectangle 0,2 1019,3"
  jpeg "$media/showall.jpg" -size 98x30 "xc:$PANEL" -fill "#3A1C7A" -stroke "$OUTLINE" \
    -draw "roundrectangle 1,3 96,26 5,5" -stroke none -font "$SANS_BOLD" -pointsize 11 -fill "#FFFFFF" \
    -gravity center -annotate +0+0 "SHOW ALL"
  "$DRAW" label "$media/tutorials_label_sml.jpg" 60 19 "Tutorials" field
  "$DRAW" label "$media/jobs_label_sml.jpg" 36 19 "Jobs" field
  "$DRAW" tab-strip "$media/menubar_training.jpg" training
  "$DRAW" tab-strip "$media/menubar_resources.jpg" resources
  "$DRAW" tab-strip "$media/menubar_sponsors.jpg" sponsors
  highlight
}

# video OUT SECONDS HEADING TITLE TONE_HZ: 720 × 540 at 15 frames a second with a running clock
# and a moving marker, a short beep every second; MPEG-4 video and MP3 sound in AVI.
video() {
  local out=$1 seconds=$2 heading=$3 title=$4 tone=$5
  local text="fontfile=$SANS_BOLD:x=(w-tw)/2"
  ffmpeg -hide_banner -loglevel error -nostdin -y \
    -f lavfi -i "color=c=0x14063A:s=720x540:r=15:d=$seconds" \
    -f lavfi -i "aevalsrc=exprs='0.2*sin(2*PI*$tone*t)*lt(mod(t\,1)\,0.12)':s=22050:d=$seconds" \
    -vf "drawbox=x=40:y=40:w=640:h=460:color=0x55437B:t=2,\
drawtext=$text:text='$heading':fontsize=28:fontcolor=0x9C92C8:y=120,\
drawtext=$text:text='$title':fontsize=44:fontcolor=white:y=170,\
drawtext=fontfile=$MONO_BOLD:x=(w-tw)/2:y=300:fontsize=72:fontcolor=0xE4DEFF:text='%{pts\:gmtime\:0\:%M\\\\\:%S}',\
drawbox=x='60+mod(t*100\,560)':y=440:w=40:h=12:color=0xFFC040:t=fill" \
    -c:v mpeg4 -q:v 6 -g 150 -c:a libmp3lame -b:a 32k -ac 1 -fflags +bitexact "$out"
}

videos() {
  video "$OUT/Media/vid_00.avi" "$INTRO_SECONDS" "Introduction" "Welcome to Tovrelle" 660
  local n
  for n in 1 2 3 4 5; do
    video "$OUT/Media/vid_0$n.avi" "${SECONDS_LONG[$((n - 1))]}" "Lesson $n" "${TITLES[$((n - 1))]}" $(( 330 + 110 * n ))
  done
  # Half a second of silence as a plain RIFF/WAVE file, no tags.
  ffmpeg -hide_banner -loglevel error -nostdin -y -f lavfi -i "anullsrc=r=22050:cl=mono" -t 0.5 \
    -c:a pcm_s16le -map_metadata -1 -fflags +bitexact -flags:a +bitexact "$OUT/Media/blank.wav"
}

# page OUT TITLE BODY: a small page in the colours of the skin.
page() {
  cat > "$1" <<HTML
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>$2</title>
<style>
body { margin: 0; padding: 16px 20px; background: $PANEL; color: $TEXT; font: 13px "DejaVu Sans", sans-serif; overflow: hidden; }
h1 { font-size: 18px; margin: 0 0 12px; color: #FFFFFF; }
a { color: #FFC850; }
.box { background: $FRAME; border: 1px solid $OUTLINE; padding: 10px 14px; margin: 0 0 10px; }
.note { color: $DIM_TEXT; font-size: 11px; }
</style></head>
<body>
$3
</body></html>
HTML
}

start_page() {
  page "$OUT/Media/frel_mabr.htm" "Resources" '<h1>Resources</h1>
<div class="box">Choose a search on the left: tutorials, plug-ins and scripts, jobs, or reviews and
articles. The results appear in this view.</div>
<p class="note">This is the local start page of the demo course.</p>'
}

# gif_banner OUT BACKGROUND LINE...: a 470 × 60 banner that shows each line in turn.
gif_banner() {
  local out=$1 back=$2; shift 2
  local -a frames=()
  local line
  for line in "$@"; do
    frames+=("(" -size 470x60 "xc:$back" -fill none -stroke "#FFC850" -strokewidth 2 -draw "rectangle 1,1 468,58"
             -stroke none -font "$SANS_BOLD" -pointsize 20 -fill "#FFFFFF" -gravity center -annotate +0+0 "$line" ")")
  done
  convert -delay 150 "${frames[@]}" -loop 0 "$out"
}

sponsors() {
  local dir=$OUT/Sponsors
  cat > "$dir/sp.dat" <<DAT
[Main]
num=3
img1=northwind.gif
url1=https://example.org/sponsors/northwind
img2=lumen.htm
url2=https://example.org/sponsors/lumen
img3=quarry.gif
url3=https://example.org/sponsors/quarry
DAT
  gif_banner "$dir/northwind.gif" "#0B2A5C" "Northwind Render Farm" "A thousand cores on demand" "northwind.example.org"
  gif_banner "$dir/quarry.gif" "#3A1C7A" "Quarry Texture Library" "Twelve thousand materials" "quarry.example.org"
  cat > "$dir/lumen.htm" <<HTML
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Lumen Plugins</title>
<style>
body { margin: 0; width: 468px; height: 60px; overflow: hidden; background: #082E2A; color: #FFFFFF;
       font: bold 20px "DejaVu Sans", sans-serif; display: flex; align-items: center; justify-content: center; }
span { animation: glow 2s ease-in-out infinite alternate; }
@keyframes glow { from { color: #7FE0C8; } to { color: #FFFFFF; } }
</style></head>
<body><span>Lumen Plugins &mdash; light that behaves</span></body></html>
HTML
  sponsor_pages
}

sponsor_pages() {
  local dir=$OUT/Sponsors
  page "$dir/index.htm" "Sponsors" '<h1>Our sponsors</h1>
<div class="box"><img src="northwind.gif" width="470" height="60" alt="Northwind Render Farm"><br>
<a href="northwind.htm">Northwind Render Farm</a></div>
<div class="box"><a href="lumen-page.htm">Lumen Plugins</a> &mdash; light that behaves</div>
<div class="box"><img src="quarry.gif" width="470" height="60" alt="Quarry Texture Library"><br>
<a href="quarry.htm">Quarry Texture Library</a></div>'
  local back='<p><a href="index.htm">Back to all sponsors</a></p>'
  page "$dir/northwind.htm" "Northwind Render Farm" "<h1>Northwind Render Farm</h1>
<div class=\"box\">Render farm time for students of this course.</div>
<p class=\"note\">https://example.org/sponsors/northwind</p>$back"
  page "$dir/lumen-page.htm" "Lumen Plugins" "<h1>Lumen Plugins</h1>
<div class=\"box\">Lighting plug-ins for the applications of this course.</div>
<p class=\"note\">https://example.org/sponsors/lumen</p>$back"
  page "$dir/quarry.htm" "Quarry Texture Library" "<h1>Quarry Texture Library</h1>
<div class=\"box\">Materials and textures, free for the exercises.</div>
<p class=\"note\">https://example.org/sponsors/quarry</p>$back"
}

require_tools
OUT=$1
mkdir -p "$OUT/Media" "$OUT/Sponsors"
OUT=$(cd "$OUT" && pwd)
write_qel_ini
skin_pictures
start_page
sponsors
videos
echo "make-course: demo course written to $OUT"
