#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates Qintara's banner (banner.jpg, 700x70) and window icons (icon-N.png), and
# their copies at twice the size for dense screens (banner@2x.jpg, icon-N@2x.png), drawn
# from the same shapes rather than enlarged.
# The build embeds the outputs as they are checked in; run this only to change the artwork.
# Needs ImageMagick 6 (convert) and fonts-noto-cjk.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Both faces come from fonts-noto-cjk; the serif one sets the Latin wordmark.
CJK_FONT=Noto-Sans-CJK-SC-Bold
LATIN_FONT=Noto-Serif-CJK-SC-Bold
fonts=$(convert -list font)
for f in "$CJK_FONT" "$LATIN_FONT"; do
    if ! grep -q "Font: $f\$" <<<"$fonts"; then
        echo "make_art.sh: font $f not found (apt-get install fonts-noto-cjk)" >&2
        exit 1
    fi
done

# Palette shared by banner and icon.
RED_LIGHT='#c8161d'
RED_DEEP='#7d0a0e'
GOLD_HI='#fff0b3'
GOLD_MID='#f2c94c'
GOLD_LO='#c8921a'

# Points of a five-pointed star, one point up: star CX CY R [SCALE]
star() {
    awk -v cx="$1" -v cy="$2" -v R="$3" -v k="${4:-1}" 'BEGIN {
        pi = atan2(0, -1); r = R * 0.382
        for (i = 0; i < 10; i++) {
            a = -pi / 2 + i * pi / 5; d = (i % 2) ? r : R
            printf "%.2f,%.2f ", (cx + d * cos(a)) * k, (cy + d * sin(a)) * k
        }
    }'
}

# ---------------------------------------------------------------- icon
# The mark is a gold letter Q whose tail is a pen nib, with a star in the
# bowl, on a red rounded square. Geometry is in units of a 256 grid; small
# sizes get heavier strokes and a full-bleed square so they stay legible.
# icon SIZE SCALE OUT: the design for SIZE, drawn at SIZE*SCALE pixels.
icon() {
    local size=$1 scale=$2 out=$3
    local px=$(( size * scale ))
    local ss=$(( size >= 64 ? 4 : 8 ))      # supersampling factor
    local R=$(( px * ss ))
    local k
    k=$(awk -v R="$R" 'BEGIN { printf "%.5f", R / 256 }')

    # per-size variant: square inset/corner radius, ring radius/stroke, star,
    # fine details (nib slit, keyline), vertical centre of the Q
    local inset radius ring_r ring_w star_r trim cy
    if (( size <= 16 )); then
        # at 16 px the star would only be a dot that makes the Q read as a target
        inset=0 radius=40 ring_r=70 ring_w=36 star_r=0 trim=0 cy=118
    elif (( size <= 24 )); then
        inset=0 radius=40 ring_r=70 ring_w=36 star_r=30 trim=0 cy=118
    elif (( size <= 48 )); then
        inset=8 radius=44 ring_r=66 ring_w=28 star_r=30 trim=0 cy=120
    else
        inset=16 radius=46 ring_r=64 ring_w=24 star_r=30 trim=1 cy=122
    fi

    local s=$(( 256 - inset ))
    # red square with a soft top-left highlight
    convert -size "${R}x${R}" gradient:"$RED_LIGHT-$RED_DEEP" \
        \( -size "${R}x${R}" radial-gradient:'#ff5a4a-#00000000' -alpha set -channel A -evaluate multiply 0.35 +channel \
           -roll "-$((R / 4))-$((R / 4))" \) -compose screen -composite \
        "$tmp/red.png"
    convert -size "${R}x${R}" xc:none -fill white \
        -draw "roundrectangle $(awk -v a=$inset -v b=$s -v r=$radius -v k="$k" 'BEGIN{printf "%.2f,%.2f %.2f,%.2f %.2f,%.2f", a*k, a*k, (b*k)-1, (b*k)-1, r*k, r*k}')" \
        "$tmp/sq_mask.png"
    convert "$tmp/red.png" "$tmp/sq_mask.png" -compose CopyOpacity -composite "$tmp/square.png"

    # gold parts as a white-on-black mask
    local tail
    tail=$(awk -v k="$k" -v cy=$cy -v rr=$ring_r -v w=$ring_w 'BEGIN {
        # nib: a kite from inside the ring out to a point at the lower right
        # it starts inside the bowl so it reads as a Q tail crossing the ring
        pi = atan2(0, -1); a = 52 * pi / 180
        bx = 128 + (rr - w * 1.25) * cos(a); by = cy + (rr - w * 1.25) * sin(a)
        tx = 128 + (rr + w * 2.3) * cos(a); ty = cy + (rr + w * 2.3) * sin(a)
        hw = w * 0.62
        mx = 128 + (rr + w * 0.5) * cos(a); my = cy + (rr + w * 0.5) * sin(a)
        printf "%.2f,%.2f %.2f,%.2f %.2f,%.2f %.2f,%.2f",
            bx*k, by*k, (mx + hw*cos(a + pi/2))*k, (my + hw*sin(a + pi/2))*k,
            tx*k, ty*k, (mx + hw*cos(a - pi/2))*k, (my + hw*sin(a - pi/2))*k
    }')
    convert -size "${R}x${R}" xc:black -fill none -stroke white \
        -strokewidth "$(awk -v w=$ring_w -v k="$k" 'BEGIN{print w*k}')" \
        -draw "circle $(awk -v k="$k" -v cy=$cy -v rr=$ring_r 'BEGIN{printf "%.2f,%.2f %.2f,%.2f", 128*k, cy*k, (128+rr)*k, cy*k}')" \
        -stroke none -fill white \
        -draw "polygon $tail" \
        "$tmp/gold_mask.png"
    if (( star_r > 0 )); then
        convert "$tmp/gold_mask.png" -fill white -draw "polygon $(star 128 "$cy" "$star_r" "$k")" "$tmp/gold_mask.png"
    fi
    if (( trim )); then
        # a hairline slit down the nib, as on a real pen
        convert "$tmp/gold_mask.png" -stroke black -strokewidth "$(awk -v k="$k" 'BEGIN{print 3*k}')" \
            -draw "line $(awk -v k="$k" -v cy=$cy -v rr=$ring_r -v w=$ring_w 'BEGIN{a=52*atan2(0,-1)/180;
                printf "%.2f,%.2f %.2f,%.2f", (128+(rr+w*0.7)*cos(a))*k, (cy+(rr+w*0.7)*sin(a))*k, (128+(rr+w*1.9)*cos(a))*k, (cy+(rr+w*1.9)*sin(a))*k}')" \
            "$tmp/gold_mask.png"
    fi
    convert -size "${R}x${R}" gradient:"$GOLD_HI-$GOLD_LO" "$tmp/gold_mask.png" \
        -alpha off -compose CopyOpacity -composite "$tmp/gold.png"

    # dark drop shadow under the gold, then gold over the square
    convert "$tmp/square.png" \
        \( "$tmp/gold_mask.png" -background black -alpha shape -channel A -evaluate multiply 0.45 +channel \
           -blur "0x$(( R / 128 ))" -roll "+0+$(( R / 100 ))" \) -compose over -composite \
        "$tmp/gold.png" -compose over -composite \
        "$tmp/sq_mask.png" -compose DstIn -composite \
        "$tmp/big.png"
    if (( trim )); then
        # thin gold keyline inside the square's edge
        local i=$(( inset + 9 )) j=$(( 256 - inset - 9 ))
        convert "$tmp/big.png" -fill none -stroke "${GOLD_MID}99" \
            -strokewidth "$(awk -v k="$k" 'BEGIN{print 3*k}')" \
            -draw "roundrectangle $(awk -v a=$i -v b=$j -v r=$((radius - 9)) -v k="$k" 'BEGIN{printf "%.2f,%.2f %.2f,%.2f %.2f,%.2f", a*k, a*k, b*k, b*k, r*k, r*k}')" \
            "$tmp/big.png"
    fi

    local sharpen=()
    if (( px <= 32 )); then
        sharpen=(-unsharp 0x0.6+0.6+0)
    fi
    convert "$tmp/big.png" -filter Box -resize "${px}x${px}" "${sharpen[@]}" \
        -strip "PNG32:$out"
}

for n in 16 24 32 48 64 128 256; do
    icon "$n" 1 "$here/icon-$n.png"
    if (( n == 256 )); then
        # the banner reuses the large gold mark, without its red square
        cp "$tmp/gold.png" "$tmp/mark.png"
    fi
done
# the window's own five sizes, for a screen at twice the density
for n in 16 24 32 48 128; do
    icon "$n" 2 "$here/icon-$n@2x.png"
done

# ---------------------------------------------------------------- banner
# banner K OUT: the 700x70 banner drawn at K times its size; every place and
# size below is in banner pixels and multiplied by K.
banner() {
    local k=$1 out=$2
    local W=$((700 * k)) H=$((70 * k))
    # a rule from banner row Y1 to Y2 across the width, or a vertical one at X
    hrule() { echo "rectangle 0,$(($1 * k)) $((W - 1)),$((($2 + 1) * k - 1))"; }
    vrule() { echo "rectangle $(($1 * k)),$(($2 * k)) $((($1 + 1) * k - 1)),$((($3 + 1) * k - 1))"; }
    segment() { echo "rectangle $(($1 * k)),$(($3 * k)) $((($2 + 1) * k - 1)),$((($3 + 1) * k - 1))"; }

    # deep red, lighter behind the title, darker toward the right and the bottom
    convert -size ${W}x${H} xc: -sparse-color barycentric "0,0 #9a0f16 $((W - 1)),0 #5e0508" \
        \( -size $((520 * k))x$((240 * k)) radial-gradient:'#e0303080-#00000000' -geometry -$((40 * k))-$((85 * k)) \) -compose screen -composite \
        \( -size 1x${H} gradient:'#ffffff-#b8b8b8' -scale ${W}x${H}\! \) -compose multiply -composite \
        -seed 1921 -attenuate 0.25 +noise Gaussian \
        "$tmp/bg.png"

    # faint gold rays fanning up from below the right-hand side
    local rays=() ray
    while read -r ray; do
        rays+=(-draw "polygon $ray")
    done < <(awk -v k="$k" 'BEGIN {
        pi = atan2(0, -1); cx = 585 * k; cy = 120 * k; L = 700 * k
        for (a = 180; a < 360; a += 7) {
            a1 = a * pi / 180; a2 = (a + 3) * pi / 180
            printf "%d,%d %.1f,%.1f %.1f,%.1f\n", cx, cy, cx + L*cos(a1), cy + L*sin(a1), cx + L*cos(a2), cy + L*sin(a2)
        }
    }')
    convert -size ${W}x${H} xc:none -fill "$GOLD_MID" "${rays[@]}" "$tmp/rays_raw.png"
    # fade them out toward the title so they never sit behind text
    convert -size ${H}x${W} gradient:'#000000-#ffffff' -rotate -90 -sigmoidal-contrast 8x55% \
        -evaluate multiply 0.12 "$tmp/rays_fade.png"
    convert "$tmp/rays_raw.png" -alpha extract "$tmp/rays_fade.png" -compose multiply -composite "$tmp/rays_alpha.png"
    convert "$tmp/rays_raw.png" "$tmp/rays_alpha.png" -alpha off -compose CopyOpacity -composite "$tmp/rays.png"

    # gold fill used by text and rules: light at the top, deeper at the bottom
    convert -size ${W}x${H} gradient:"$GOLD_HI-$GOLD_LO" "$tmp/goldfill.png"

    # every gold element is drawn white into one mask, then filled with the gold gradient
    # (rules top and bottom, a divider after the name, a row of stars at the right)
    local stars=() x
    for x in 598 622 646; do
        stars+=(-draw "polygon $(star "$x" 35 6.5 "$k")")
    done
    convert -size ${W}x${H} xc:black -fill white -stroke none \
        -draw "$(hrule 3 3)" \
        -draw "$(hrule 62 63)" \
        -draw "$(hrule 66 66)" \
        -draw "$(vrule 226 20 50)" \
        -draw "$(segment 555 585 35)" \
        -draw "$(segment 659 689 35)" \
        "${stars[@]}" \
        -font "$LATIN_FONT" -pointsize $((33 * k)) -annotate +$((72 * k))+$((47 * k)) Qintara \
        -font "$CJK_FONT" -pointsize $((23 * k)) -kerning $((3 * k)) -annotate +$((244 * k))+$((44 * k)) '入党申请书范文生成' \
        "$tmp/goldmask.png"
    convert "$tmp/mark.png" -trim +repage -resize x$((46 * k)) -background none -gravity center -extent $((50 * k))x$((50 * k)) \
        -alpha extract "$tmp/markmask.png"
    convert "$tmp/goldmask.png" "$tmp/markmask.png" -geometry +$((14 * k))+$((9 * k)) -compose lighten -composite "$tmp/goldmask.png"

    convert "$tmp/goldfill.png" "$tmp/goldmask.png" -alpha off -compose CopyOpacity -composite "$tmp/gold_layer.png"
    convert "$tmp/bg.png" "$tmp/rays.png" -compose over -composite \
        \( "$tmp/goldmask.png" -background '#2a0002' -alpha shape -channel A -evaluate multiply 0.8 +channel \
           -blur 0x$k -roll +$k+$k \) -compose over -composite \
        "$tmp/gold_layer.png" -compose over -composite \
        -alpha off -colorspace sRGB -type TrueColor -depth 8 \
        -strip -interlace none -sampling-factor 1x1 -quality 95 \
        "$out"
}

banner 1 "$here/banner.jpg"
banner 2 "$here/banner@2x.jpg"
